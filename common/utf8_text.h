// UTF-8 and UTF-16 conversions for the programs whose platform speaks UTF-8 (command lines,
// Pango). Platform-free.
#pragma once

#include <string>

// The UTF-16 text (null counts as empty) as UTF-8; an unpaired surrogate becomes U+FFFD.
std::string Utf8Of(const char16_t* text);

// The UTF-8 text as UTF-16; false, with `out` unspecified, when the bytes are not UTF-8.
bool Utf16Of(const std::string& text, std::u16string& out);
