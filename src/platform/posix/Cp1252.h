#pragma once
// Code page 1252 and UTF-8, for host file names: the system's names are
// cp1252, the host's are UTF-8.

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Every cp1252 byte has a UTF-8 form; the five bytes the code page leaves
// unassigned (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the control characters of
// the same number, as Windows converts them.
std::string Cp1252ToUtf8(std::string_view s);

// nullopt when s is not valid UTF-8 or holds a character that cp1252 lacks
// (the C1 control characters included).
std::optional<std::string> Utf8ToCp1252(std::string_view s);

}  // namespace platform
