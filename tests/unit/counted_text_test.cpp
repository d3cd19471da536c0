#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>
#include <vector>

#include "host/counted_text.h"

namespace {

std::string Bytes(const CountedText& text) { return std::string(text.c_str(), static_cast<size_t>(text.length())); }

// The text's own view of itself must agree: the NUL sits right at the length.
void ExpectText(const CountedText& text, const std::string& expected) {
    EXPECT_EQ(Bytes(text), expected);
    EXPECT_EQ(text.c_str()[text.length()], '\0');
}

std::vector<std::string> Lines(const std::string& commandLine) {
    CountedText text(commandLine.c_str());
    text.assign(argumentLines(text));
    std::vector<std::string> lines;
    for (int32_t i = 0; i < text.lineCount(); ++i) lines.push_back(Bytes(text.lineAt(i)));
    return lines;
}

using LineList = std::vector<std::string>;

TEST(CountedText, ConstructionCopiesUpToTheFirstNulAndAtMostTheLimit) {
    ExpectText(CountedText(), "");
    ExpectText(CountedText(""), "");
    ExpectText(CountedText(nullptr), "");
    const char withNul[] = "ab\0cd";
    ExpectText(CountedText(withNul), "ab");

    std::string longer(static_cast<size_t>(MaxTextLength) + 5, 'x');
    longer[MaxTextLength - 1] = 'y';
    CountedText cut(longer.c_str());
    EXPECT_EQ(cut.length(), MaxTextLength);
    EXPECT_EQ(cut.c_str()[MaxTextLength - 1], 'y');
    EXPECT_EQ(cut.c_str()[MaxTextLength], '\0');
}

TEST(CountedText, CopiesAreIndependentAndSelfAssignmentKeepsTheText) {
    CountedText original("alpha");
    CountedText copy(original);
    EXPECT_NE(copy.c_str(), original.c_str());
    copy.append(CountedText("!"));
    ExpectText(original, "alpha");
    ExpectText(copy, "alpha!");

    CountedText assigned;
    assigned = original;
    EXPECT_NE(assigned.c_str(), original.c_str());
    ExpectText(assigned, "alpha");

    original.assign(original);
    ExpectText(original, "alpha");
    CountedText& alias = original;
    original = alias;
    ExpectText(original, "alpha");

    // Start-up replaces the command line by a text built from it.
    CountedText text("a b");
    text.assign(argumentLines(text));
    ExpectText(text, "a\r\nb");
    text.assign(text.lineAt(1));
    ExpectText(text, "b");
}

TEST(CountedText, AppendKeepsTheTextWhenNothingFitsOrNothingIsGiven) {
    CountedText text("ab");
    text.append(CountedText());
    ExpectText(text, "ab");
    text.append(CountedText("cd"));
    ExpectText(text, "abcd");
    text.append(text);
    ExpectText(text, "abcdabcd");

    std::string almost(static_cast<size_t>(MaxTextLength) - 1, 'z');
    CountedText full(almost.c_str());
    full.append(CountedText("12"));
    EXPECT_EQ(full.length(), MaxTextLength - 1);
    full.append(CountedText("1"));
    EXPECT_EQ(full.length(), MaxTextLength);
    EXPECT_EQ(full.c_str()[MaxTextLength - 1], '1');
    full.appendNumber(7);
    EXPECT_EQ(full.length(), MaxTextLength);
}

TEST(CountedText, AppendNumberWritesEveryThirtyTwoBitNumber) {
    const std::vector<std::pair<int32_t, std::string>> cases = {
        {0, "0"},
        {7, "7"},
        {-5, "-5"},
        {10, "10"},
        {1234, "1234"},
        {INT32_MAX, "2147483647"},
        {-999999999, "-999999999"},
        {-1000000000, "-1000000000"},
        {INT32_MIN + 1, "-2147483647"},
        {INT32_MIN, "-2147483648"},
    };
    for (const auto& [value, form] : cases) {
        CountedText text("n=");
        text.appendNumber(value);
        ExpectText(text, "n=" + form);
    }
}

TEST(CountedText, TrimsRemoveOnlySpacesAtTheirEnd) {
    for (const char* spaces : {" ", "    "}) {
        CountedText left(spaces);
        left.trimLeft();
        ExpectText(left, "");
        CountedText right(spaces);
        right.trimRight();
        ExpectText(right, "");
    }
    CountedText text("  a b\t  ");
    text.trimLeft();
    ExpectText(text, "a b\t  ");
    text.trimRight();
    ExpectText(text, "a b\t");
    text.trimRight();
    ExpectText(text, "a b\t");

    CountedText empty;
    empty.trimLeft();
    empty.trimRight();
    ExpectText(empty, "");
}

TEST(CountedText, LineCountCountsCrLfPairsOnly) {
    EXPECT_EQ(CountedText().lineCount(), 0);
    EXPECT_EQ(CountedText("abc").lineCount(), 1);
    EXPECT_EQ(CountedText("\r\n\r\n").lineCount(), 3);
    EXPECT_EQ(CountedText("a\r").lineCount(), 1);
    EXPECT_EQ(CountedText("a\n\rb\r\r\n").lineCount(), 2);
}

TEST(CountedText, LineAtSplitsAtLfAndDropsTheByteBeforeIt) {
    CountedText three("one\r\ntwo\r\nthree");
    ExpectText(three.lineAt(0), "one");
    ExpectText(three.lineAt(1), "two");
    ExpectText(three.lineAt(2), "three");
    ExpectText(three.lineAt(3), "");
    ExpectText(three.lineAt(5), "");
    ExpectText(three.lineAt(-1), "");
    ExpectText(CountedText().lineAt(0), "");

    // Whatever stands before an LF is taken as its CR.
    CountedText odd("ab\ncd\r\nef\r\n");
    ExpectText(odd.lineAt(0), "a");
    ExpectText(odd.lineAt(1), "cd");
    ExpectText(odd.lineAt(2), "ef");
    ExpectText(odd.lineAt(3), "");
    CountedText empties("\r\n\r\n");
    for (int32_t i = 0; i < 3; ++i) ExpectText(empties.lineAt(i), "");
}

TEST(CountedText, MidGivesTheEmptyTextOutsideTheText) {
    CountedText s("/s");
    ExpectText(s.mid(1, -1), "s");
    ExpectText(CountedText("/").mid(1, -1), "");
    ExpectText(s.mid(2, 0), "");
    ExpectText(s.mid(0, 0), "");
    ExpectText(s.mid(0, 1), "/");
    ExpectText(s.mid(0, INT32_MAX), "/s");
    ExpectText(s.mid(1, INT32_MAX), "s");
    ExpectText(s.mid(-1, 1), "");
    ExpectText(s.mid(0, -2), "");
    ExpectText(s.mid(0, INT32_MIN), "");
    ExpectText(s.mid(INT32_MAX, -1), "");
}

TEST(ArgumentLines, StartUpCommandLines) {
    EXPECT_EQ(Lines(""), LineList{});
    EXPECT_EQ(Lines("\"C:\\Program Files\\Tarnwick.scr\" /p 1234"),
              (LineList{"C:\\Program Files\\Tarnwick.scr", "p", "1234"}));
    EXPECT_EQ(Lines("C:\\Tarnwick.scr /c:5678"), (LineList{"C:\\Tarnwick.scr", "c:5678"}));
    EXPECT_EQ(Lines("prog   /s   "), (LineList{"prog", "s"}));
    EXPECT_EQ(Lines("   prog    a  "), (LineList{"prog", "a"}));
}

TEST(ArgumentLines, OnlyLaterWordsLoseOneSwitchPrefix) {
    EXPECT_EQ(Lines("prog //s -S"), (LineList{"prog", "/s", "S"}));
    EXPECT_EQ(Lines("-prog /x"), (LineList{"-prog", "x"}));
    EXPECT_EQ(Lines("/prog"), (LineList{"/prog"}));
    EXPECT_EQ(Lines("prog / - /s"), (LineList{"prog", "s"}));
    EXPECT_EQ(Lines("\"\" -prog /s"), (LineList{"-prog", "s"}));
}

TEST(ArgumentLines, QuotesOpenAWordOnlyAtItsStart) {
    EXPECT_EQ(Lines("prog a\"b c\""), (LineList{"prog", "a\"b", "c\""}));
    EXPECT_EQ(Lines("prog \"ab\"cd"), (LineList{"prog", "ab", "cd"}));
    EXPECT_EQ(Lines("prog \"a b  c\""), (LineList{"prog", "a b  c"}));
    EXPECT_EQ(Lines("prog \"unclosed word"), (LineList{"prog", "unclosed word"}));
    EXPECT_EQ(Lines("prog \" /s \""), (LineList{"prog", "s"}));
    EXPECT_EQ(Lines("prog \"/ s\""), (LineList{"prog", " s"}));
    EXPECT_EQ(Lines("prog \"\" x"), (LineList{"prog", "x"}));
    EXPECT_EQ(Lines("\""), LineList{});
    EXPECT_EQ(Lines("prog \"a\""), (LineList{"prog", "a"}));
}

TEST(ArgumentLines, ResultIsOneWordPerLineWithoutATrailingBreak) {
    CountedText text(argumentLines(CountedText("prog /p 42 ")));
    ExpectText(text, "prog\r\np\r\n42");
    EXPECT_EQ(text.lineCount(), 3);
    ExpectText(argumentLines(CountedText("   ")), "");
}

// The separator goes in only with its word: near the length limit a word that no longer
// fits is dropped whole, and no line break is left dangling at the end.
TEST(ArgumentLines, WordsPastTheLengthLimitAreDroppedWithTheirBreak) {
    std::string raw = "aa";
    while (raw.size() + 2 <= static_cast<size_t>(MaxTextLength)) raw += " a";
    CountedText text(argumentLines(CountedText(raw.c_str())));
    // "aa" plus as many "\r\na" as fit: 2 + 3k <= limit.
    EXPECT_EQ(text.length(), 2 + 3 * ((MaxTextLength - 2) / 3));
    ASSERT_GE(text.length(), 3);
    EXPECT_EQ(std::string(text.c_str() + text.length() - 3), "\r\na");
}

TEST(FirstNumber, ReadsTheFirstDigitRunAndSaturates) {
    EXPECT_EQ(firstNumber("c:1234"), 1234);
    EXPECT_EQ(firstNumber("c"), 0);
    EXPECT_EQ(firstNumber(""), 0);
    EXPECT_EQ(firstNumber(nullptr), 0);
    EXPECT_EQ(firstNumber("-5"), 5);
    EXPECT_EQ(firstNumber("+9x"), 9);
    EXPECT_EQ(firstNumber("12ab34"), 12);
    EXPECT_EQ(firstNumber("007"), 7);
    EXPECT_EQ(firstNumber("p 0"), 0);
    EXPECT_EQ(firstNumber("2147483647"), 2147483647);
    EXPECT_EQ(firstNumber("2147483648"), 2147483647);
    EXPECT_EQ(firstNumber("99999999999"), 2147483647);
    EXPECT_EQ(firstNumber(std::string(500, '9').c_str()), 2147483647);
    EXPECT_EQ(firstNumber((std::string(40, '0') + "214748364").c_str()), 214748364);
}

// What start-up does: switch letter from line 1, window handle from it.
TEST(FirstNumber, ReadsTheWindowHandleOfTheStartUpLine) {
    CountedText text("C:\\Tarnwick.scr /c:5678");
    text.assign(argumentLines(text));
    CountedText line1 = text.lineAt(1);
    EXPECT_EQ(line1.c_str()[0], 'c');
    EXPECT_EQ(firstNumber(line1.c_str()), 5678);

    CountedText bare("C:\\Tarnwick.scr");
    bare.assign(argumentLines(bare));
    EXPECT_EQ(bare.lineAt(1).c_str()[0], '\0');
}

}  // namespace
