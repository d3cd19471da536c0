#include "host/counted_text.h"

#include <cstring>
#include <string>

namespace {

constexpr char Space = ' ';
constexpr char Quote = '"';
constexpr char CarriageReturn = '\r';
constexpr char LineFeed = '\n';
const char LineBreak[] = "\r\n";
constexpr int32_t LineBreakLength = 2;

// Sign plus the ten digits of 2147483648, plus NUL.
constexpr int DecimalFieldSize = 12;

char* NewBlock(int32_t length) {
    char* block = new char[static_cast<size_t>(length) + 1];
    block[length] = '\0';
    return block;
}

// Length before the first NUL, never reading past MaxTextLength bytes.
int32_t BoundedLength(const char* text) {
    int32_t length = 0;
    while (length < MaxTextLength && text[length] != '\0') ++length;
    return length;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsSwitchPrefix(char c) { return c == '-' || c == '/'; }

// First index at or after from (and below end) that holds c; end when there is none.
int32_t Find(const char* bytes, int32_t from, int32_t end, char c) {
    while (from < end && bytes[from] != c) ++from;
    return from;
}

}  // namespace

CountedText::CountedText(const char* text)
    : CountedText(text ? text : "", text ? BoundedLength(text) : 0) {}

CountedText::CountedText(const char* bytes, int32_t count) : length_(count), buffer_(NewBlock(count)) {
    std::memcpy(buffer_, bytes, static_cast<size_t>(count));
}

CountedText::CountedText(const CountedText& other) : CountedText(other.buffer_, other.length_) {}

CountedText& CountedText::operator=(const CountedText& other) {
    assign(other);
    return *this;
}

CountedText::~CountedText() { delete[] buffer_; }

void CountedText::replaceWith(const char* bytes, int32_t count) {
    char* block = NewBlock(count);
    std::memcpy(block, bytes, static_cast<size_t>(count));
    delete[] buffer_;
    buffer_ = block;
    length_ = count;
}

void CountedText::appendBytes(const char* bytes, int32_t count) {
    if (count > MaxTextLength - length_) return;
    char* block = NewBlock(length_ + count);
    std::memcpy(block, buffer_, static_cast<size_t>(length_));
    std::memcpy(block + length_, bytes, static_cast<size_t>(count));
    delete[] buffer_;
    buffer_ = block;
    length_ += count;
}

void CountedText::assign(const CountedText& source) { replaceWith(source.buffer_, source.length_); }

void CountedText::append(const CountedText& other) {
    if (other.buffer_[0] == '\0') return;
    appendBytes(other.buffer_, other.length_);
}

void CountedText::appendNumber(int32_t value) {
    char field[DecimalFieldSize];
    char* const end = field + DecimalFieldSize - 1;
    char* first = end;
    // The magnitude in unsigned arithmetic, so that INT32_MIN has one as well.
    uint32_t magnitude = value < 0 ? 0u - static_cast<uint32_t>(value) : static_cast<uint32_t>(value);
    do {
        *--first = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0) *--first = '-';
    appendBytes(first, static_cast<int32_t>(end - first));
}

void CountedText::trimLeft() {
    if (length_ == 0 || buffer_[0] != Space) return;
    int32_t first = 0;
    while (first < length_ && buffer_[first] == Space) ++first;
    replaceWith(buffer_ + first, length_ - first);
}

void CountedText::trimRight() {
    if (length_ == 0 || buffer_[length_ - 1] != Space) return;
    int32_t end = length_;
    while (end > 0 && buffer_[end - 1] == Space) --end;
    replaceWith(buffer_, end);
}

int32_t CountedText::lineCount() const {
    if (length_ == 0) return 0;
    int32_t lines = 1;
    // buffer_[length_] is the NUL, so a CR as the last byte never pairs.
    for (int32_t i = 0; i < length_; ++i) {
        if (buffer_[i] == CarriageReturn && buffer_[i + 1] == LineFeed) ++lines;
    }
    return lines;
}

CountedText CountedText::lineAt(int32_t n) const {
    if (n < 0 || n >= lineCount()) return CountedText();
    // The line starts after the n-th LF; the byte in front of the LF that ends it belongs to
    // the separator, whatever it is.
    int32_t start = 0;
    for (int32_t found = 0; found < n; ++found) {
        int32_t lf = Find(buffer_, start, length_, LineFeed);
        if (lf == length_) return CountedText();
        start = lf + 1;
    }
    int32_t next = Find(buffer_, start, length_, LineFeed);
    if (next == length_) return mid(start, -1);
    int32_t count = next - start - 1;
    return mid(start, count > 0 ? count : 0);
}

CountedText CountedText::mid(int32_t start, int32_t count) const {
    if (start < 0 || start >= length_ || count < -1) return CountedText();
    int32_t rest = length_ - start;
    return CountedText(buffer_ + start, count == -1 || count > rest ? rest : count);
}

CountedText argumentLines(const CountedText& raw) {
    const char* bytes = raw.c_str();
    const int32_t end = raw.length();
    // Collected in one growing buffer: appending word by word to a text would copy the whole
    // result for every word.
    std::string lines;
    int32_t p = 0;
    while (p < end) {
        const bool quoted = bytes[p] == Quote;
        int32_t wordStart = quoted ? p + 1 : p;
        const int32_t wordEnd = Find(bytes, wordStart, end, quoted ? Quote : Space);
        int32_t stop = wordEnd;
        while (wordStart < stop && bytes[wordStart] == Space) ++wordStart;
        while (stop > wordStart && bytes[stop - 1] == Space) --stop;
        // The program path keeps its prefix; every later switch loses exactly one byte of it,
        // and nothing is trimmed after that.
        if (!lines.empty() && wordStart < stop && IsSwitchPrefix(bytes[wordStart])) ++wordStart;
        const int64_t wordLength = stop - wordStart;
        if (wordLength > 0) {
            const int64_t separator = lines.empty() ? 0 : LineBreakLength;
            // Separator and word go in together or not at all, so the result never ends with
            // a line break, even at the length limit.
            if (static_cast<int64_t>(lines.size()) + separator + wordLength <= MaxTextLength) {
                if (separator != 0) lines.append(LineBreak, LineBreakLength);
                lines.append(bytes + wordStart, static_cast<size_t>(wordLength));
            }
        }
        // Past the end, or a closing quote as the last byte: nothing is left.
        p = wordEnd + 1;
    }
    // The collected bytes hold no NUL (a text never does), so they read back whole.
    return CountedText(lines.c_str());
}

int32_t firstNumber(const char* text) {
    if (text == nullptr) return 0;
    while (*text != '\0' && !IsDigit(*text)) ++text;
    int32_t value = 0;
    for (; IsDigit(*text); ++text) {
        const int32_t digit = *text - '0';
        // Saturate before multiplying, so a long digit run never overflows.
        if (value > (INT32_MAX - digit) / 10) return INT32_MAX;
        value = value * 10 + digit;
    }
    return value;
}
