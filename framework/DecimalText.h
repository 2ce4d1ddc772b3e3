// Whole numbers as captions: plain decimal digits, a minus sign below zero,
// no grouping. std::to_chars, unlike std::to_wstring, brings no printf
// machinery into the program.
#pragma once

#include <charconv>
#include <string>

namespace fx {

inline std::wstring DecimalText(long long value) {
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    return std::wstring(digits, end);
}

} // namespace fx
