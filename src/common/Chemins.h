#pragma once
// Windows paths as texts.

#include <string_view>

// The folder part of path: everything before its last separator, "" when it
// has none. The separators are the characters of separateurs: "\" alone, or
// "\" and the drive colon. A "\" that follows a drive colon, another "\" or
// nothing stays, so a root keeps it ("c:\x.exe" gives "c:\", "\x" gives "\").
std::string_view DossierDe(std::string_view path, std::string_view separateurs = "\\");
