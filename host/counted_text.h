// A small counted byte string and the reading of the process command line into words.
// Platform-free: the text knows no code page, only bytes.
#pragma once

#include <cstdint>

// The longest text a CountedText holds, in bytes.
constexpr int32_t MaxTextLength = 16777216;

// A byte string that owns exactly length + 1 bytes on the heap, the last one NUL.
// There is no spare capacity and no sharing: every change builds a block of the new size,
// so a copy is always independent. Allocation failure raises std::bad_alloc.
class CountedText {
public:
    // Copies the bytes before the first NUL, at most MaxTextLength of them; a null pointer
    // gives the empty text.
    explicit CountedText(const char* text = "");
    CountedText(const CountedText& other);
    CountedText& operator=(const CountedText& other);
    ~CountedText();

    // Safe when the source is this text itself.
    void assign(const CountedText& source);
    // No change when the other text is empty (or starts with NUL), or when the sum of both
    // lengths would pass MaxTextLength.
    void append(const CountedText& other);
    // Adds the decimal form of any 32-bit number, under the same length limit as append.
    void appendNumber(int32_t value);
    void trimLeft();
    void trimRight();

    // Lines are separated by CR LF; the empty text has none.
    int32_t lineCount() const;
    // Line n counted from 0; the empty text when n is negative or not below lineCount().
    CountedText lineAt(int32_t n) const;
    // Up to count bytes from start; count -1 means the rest. Empty for a start outside the
    // text or a count below -1.
    CountedText mid(int32_t start, int32_t count) const;

    const char* c_str() const { return buffer_; }
    int32_t length() const { return length_; }

private:
    CountedText(const char* bytes, int32_t count);
    // Builds a block from the given bytes, then frees the old one: the bytes may lie in it.
    void replaceWith(const char* bytes, int32_t count);
    void appendBytes(const char* bytes, int32_t count);

    int32_t length_;
    char* buffer_;
};

// The words of a raw command line, one per line, separated by CR LF. Words are split at
// spaces; a word that starts with a double quote runs to the next one. Every word after the
// first one kept loses one leading "-" or "/". Empty words are dropped.
CountedText argumentLines(const CountedText& raw);

// The first run of decimal digits in a NUL-terminated string, saturated at INT32_MAX;
// 0 when there is no digit (or the pointer is null). Signs are not read.
int32_t firstNumber(const char* text);
