// Seeded random inputs against plain reference scanners. Under AddressSanitizer every text
// block is exactly length + 1 bytes, so any read past a block fails the run.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "host/counted_text.h"

namespace {

std::string Bytes(const CountedText& text) { return std::string(text.c_str(), static_cast<size_t>(text.length())); }

std::string Printable(const std::string& bytes) {
    static const char hex[] = "0123456789abcdef";
    std::string out;
    for (unsigned char c : bytes) {
        if (c >= 0x20 && c < 0x7F && c != '\\') {
            out += static_cast<char>(c);
        } else {
            out += "\\x";
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

bool HasLineBytes(const std::string& bytes) { return bytes.find_first_of("\r\n") != std::string::npos; }

class InputMaker {
public:
    explicit InputMaker(uint32_t seed) : rng_(seed) {}

    uint32_t Below(uint32_t bound) { return static_cast<uint32_t>(rng_() % bound); }

    // NUL-free bytes, mostly the ones that mean something to the command-line rules,
    // often in long runs. Without line bytes, CR and LF never appear.
    std::string Make(bool lineBytes) {
        std::string bytes;
        const uint32_t pieces = Below(4) == 0 ? Below(80) : Below(16);
        for (uint32_t i = 0; i < pieces; ++i) {
            char c = Pick(lineBytes);
            uint32_t run = 1;
            switch (Below(8)) {
            case 0: run = 2 + Below(30); break;
            case 1: run = Below(20) == 0 ? 100 + Below(400) : 1 + Below(4); break;
            default: break;
            }
            bytes.append(run, c);
        }
        return bytes;
    }

    // A start or count for mid: the interesting edges and anything in between.
    int32_t Index(int32_t length) {
        switch (Below(10)) {
        case 0: return -1;
        case 1: return -2 - static_cast<int32_t>(Below(5));
        case 2: return length;
        case 3: return length + 1;
        case 4: return INT32_MAX;
        case 5: return INT32_MIN;
        case 6: return 0;
        default: return static_cast<int32_t>(Below(static_cast<uint32_t>(length) + 2));
        }
    }

private:
    char Pick(bool lineBytes) {
        static const char meaningful[] = {' ', ' ', ' ', '"', '"', '-', '/', 'a', 'Z', '\t', ':', '0', '7', '9'};
        switch (Below(6)) {
        case 0: {
            // Any byte but NUL; CR and LF only where allowed.
            char c = static_cast<char>(1 + Below(255));
            return !lineBytes && (c == '\r' || c == '\n') ? 'x' : c;
        }
        case 1: return static_cast<char>('0' + Below(10));
        case 2:
            if (lineBytes) return Below(2) == 0 ? '\r' : '\n';
            [[fallthrough]];
        default: return meaningful[Below(sizeof meaningful)];
        }
    }

    std::mt19937 rng_;
};

// The command-line words, scanned one byte at a time.
std::vector<std::string> ReferenceWords(const std::string& line) {
    std::vector<std::string> words;
    size_t i = 0;
    while (i < line.size()) {
        std::string word;
        const char delimiter = line[i] == '"' ? '"' : ' ';
        if (delimiter == '"') ++i;
        while (i < line.size() && line[i] != delimiter) word += line[i++];
        ++i;  // over the delimiter, if any
        const size_t first = word.find_first_not_of(' ');
        if (first == std::string::npos) continue;
        word = word.substr(first, word.find_last_not_of(' ') + 1 - first);
        if (!words.empty() && (word[0] == '-' || word[0] == '/')) word.erase(0, 1);
        if (!word.empty()) words.push_back(word);
    }
    return words;
}

int32_t ReferenceLineCount(const std::string& text) {
    if (text.empty()) return 0;
    int32_t pairs = 0;
    for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 1)) ++pairs;
    return 1 + pairs;
}

// Line n of a text is its n-th piece between LFs; a piece that an LF ends loses its last byte,
// whatever it is. Indexes outside the line count give the empty text.
std::vector<std::string> ReferencePieces(const std::string& text) {
    std::vector<std::string> pieces(1);
    for (char c : text) {
        if (c == '\n') {
            if (!pieces.back().empty()) pieces.back().pop_back();
            pieces.emplace_back();
        } else {
            pieces.back() += c;
        }
    }
    return pieces;
}

std::string ReferenceMid(const std::string& text, int64_t start, int64_t count) {
    if (start < 0 || start >= static_cast<int64_t>(text.size()) || count < -1) return "";
    return text.substr(static_cast<size_t>(start), count == -1 ? std::string::npos : static_cast<size_t>(count));
}

int32_t ReferenceNumber(const std::string& text) {
    size_t at = text.find_first_of("0123456789");
    if (at == std::string::npos) return 0;
    int64_t value = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
        value = std::min<int64_t>(value * 10 + (text[at] - '0'), int64_t{INT32_MAX} + 1);
    }
    return static_cast<int32_t>(std::min<int64_t>(value, INT32_MAX));
}

std::string Joined(const std::vector<std::string>& words) {
    std::string joined;
    for (const std::string& word : words) joined += (joined.empty() ? "" : "\r\n") + word;
    return joined;
}

// Without CR or LF in the command line every line is exactly one word.
void CheckWordsOfPlainLine(const std::string& input) {
    SCOPED_TRACE(Printable(input));
    ASSERT_FALSE(HasLineBytes(input));
    const CountedText result = argumentLines(CountedText(input.c_str()));
    const std::string bytes = Bytes(result);
    const std::vector<std::string> words = ReferenceWords(input);

    ASSERT_EQ(bytes, Joined(words));
    ASSERT_EQ(result.c_str()[result.length()], '\0');
    ASSERT_FALSE(bytes.size() >= 2 && bytes.compare(bytes.size() - 2, 2, "\r\n") == 0);
    ASSERT_EQ(result.lineCount(), static_cast<int32_t>(words.size()));
    for (int32_t i = 0; i < result.lineCount(); ++i) {
        const std::string line = Bytes(result.lineAt(i));
        ASSERT_EQ(line, words[static_cast<size_t>(i)]) << "line " << i;
        ASSERT_FALSE(line.empty());
        ASSERT_EQ(line.find_first_of("\r\n"), std::string::npos);
        ASSERT_NE(line.back(), ' ');
        // Only a removed switch prefix can uncover a leading space, and never in line 0.
        if (line.front() == ' ') {
            ASSERT_GT(i, 0);
        }
    }
    ASSERT_EQ(result.lineAt(result.lineCount()).length(), 0);
    ASSERT_EQ(result.lineAt(result.lineCount() + 1).length(), 0);
    ASSERT_EQ(result.lineAt(-1).length(), 0);
}

// Any text, line bytes included: lines and counts agree with the reference split.
void CheckLines(const CountedText& text) {
    const std::string bytes = Bytes(text);
    SCOPED_TRACE(Printable(bytes));
    const int32_t count = text.lineCount();
    ASSERT_EQ(count, ReferenceLineCount(bytes));
    const std::vector<std::string> pieces = ReferencePieces(bytes);
    for (int32_t i = -1; i <= count + 1; ++i) {
        const CountedText line = text.lineAt(i);
        const bool inside = i >= 0 && i < count;
        ASSERT_EQ(Bytes(line), inside ? pieces[static_cast<size_t>(i)] : "") << "line " << i;
        ASSERT_EQ(line.c_str()[line.length()], '\0');
    }
}

TEST(CountedTextFuzz, ArgumentLinesGivesOneWordPerLine) {
    InputMaker maker(0x5eed0001u);
    for (int i = 0; i < 150000; ++i) {
        ASSERT_NO_FATAL_FAILURE(CheckWordsOfPlainLine(maker.Make(false)));
    }
}

TEST(CountedTextFuzz, LineAtAgreesWithAPlainSplitOnAnyBytes) {
    InputMaker maker(0x5eed0002u);
    for (int i = 0; i < 100000; ++i) {
        const CountedText raw(maker.Make(true).c_str());
        ASSERT_NO_FATAL_FAILURE(CheckLines(raw));
        ASSERT_NO_FATAL_FAILURE(CheckLines(argumentLines(raw)));
    }
}

TEST(CountedTextFuzz, MidAgreesWithSubstring) {
    InputMaker maker(0x5eed0003u);
    for (int i = 0; i < 100000; ++i) {
        const std::string input = maker.Make(maker.Below(2) == 0);
        const CountedText text(input.c_str());
        const int32_t start = maker.Index(text.length());
        const int32_t count = maker.Index(text.length());
        const CountedText part = text.mid(start, count);
        ASSERT_EQ(Bytes(part), ReferenceMid(input, start, count))
            << Printable(input) << " mid(" << start << ", " << count << ")";
        ASSERT_EQ(part.c_str()[part.length()], '\0');
    }
}

TEST(CountedTextFuzz, FirstNumberAgreesWithSaturatingReference) {
    InputMaker maker(0x5eed0004u);
    for (int i = 0; i < 150000; ++i) {
        std::string input = maker.Make(maker.Below(2) == 0);
        // Digit runs around the saturation point.
        if (maker.Below(3) == 0) {
            const uint32_t value = maker.Below(4) == 0 ? uint32_t{INT32_MAX} - 1 + maker.Below(3) : maker.Below(UINT32_MAX);
            const std::string run = std::to_string(value) + std::string(maker.Below(3), '9');
            input.insert(maker.Below(static_cast<uint32_t>(input.size()) + 1), run);
        }
        // A block of exactly length + 1 bytes, so reading past the NUL is caught.
        const CountedText text(input.c_str());
        ASSERT_EQ(firstNumber(text.c_str()), ReferenceNumber(input)) << Printable(input);
    }
}

TEST(CountedTextFuzz, AppendNumberMatchesToString) {
    InputMaker maker(0x5eed0005u);
    for (int i = 0; i < 100000; ++i) {
        const int32_t value = static_cast<int32_t>(maker.Below(UINT32_MAX) + maker.Below(2));
        CountedText text("#");
        text.appendNumber(value);
        ASSERT_EQ(Bytes(text), "#" + std::to_string(value));
    }
}

}  // namespace
