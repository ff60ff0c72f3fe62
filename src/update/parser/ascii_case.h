#pragma once

#include <algorithm>
#include <initializer_list>
#include <string>
#include <string_view>

namespace akt {

// Letter case of the 26 ASCII letters only. Keywords are plain ASCII, and a Windows-1250 letter in a
// script must never change or match another by a locale's rules.
constexpr char asciiUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

inline void toAsciiUpper(std::string& text) {
    for (char& c : text)
        c = asciiUpper(c);
}

inline bool equalsIgnoreCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return asciiUpper(x) == asciiUpper(y); });
}

inline bool equalsAnyIgnoreCase(std::string_view word, std::initializer_list<std::string_view> candidates) {
    return std::any_of(candidates.begin(), candidates.end(),
                       [word](std::string_view candidate) { return equalsIgnoreCase(word, candidate); });
}

inline bool containsIgnoreCase(std::string_view text, std::string_view word) {
    const auto same = [](char x, char y) { return asciiUpper(x) == asciiUpper(y); };
    return std::search(text.begin(), text.end(), word.begin(), word.end(), same) != text.end();
}

} // namespace akt
