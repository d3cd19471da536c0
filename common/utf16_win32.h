// Settings texts are char16_t; the wide Win32 calls take wchar_t, the same 16-bit units on Windows.
#pragma once

#include <string>
#include <vector>

#include "common/utf8_text.h"

static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 texts pass to the wide calls as they are");

inline const wchar_t* Wide(const char16_t* text) { return reinterpret_cast<const wchar_t*>(text); }
inline wchar_t* Wide(char16_t* text) { return reinterpret_cast<wchar_t*>(text); }

// A wide program's words after its name, as UTF-8, the way the shared options read them.
inline std::vector<std::string> Utf8Words(int argc, wchar_t** argv) {
    std::vector<std::string> words;
    for (int i = 1; i < argc; ++i) words.push_back(Utf8Of(reinterpret_cast<const char16_t*>(argv[i])));
    return words;
}
