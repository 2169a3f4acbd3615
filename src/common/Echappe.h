#pragma once
// Texts from outside (names, markup, arguments) made safe to print.

#include <string>
#include <string_view>

// A copy of a cp1252 text that a terminal or a log shows as it is: the C0
// controls, DEL, and the five bytes cp1252 leaves unassigned (0x81, 0x8D,
// 0x8F, 0x90, 0x9D, which stand for C1 controls) become "\xNN" with two
// upper-case hexadecimal digits; every other byte is kept.
std::string EchappeControles(std::string_view text);
