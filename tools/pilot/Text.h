#pragma once
// Text conversions between the code pages the pilot meets: titles and
// script texts are in the system's ANSI code page, the log is UTF-8.

#include "platform/win32/Windows.h"

#include <string>

namespace pilot {

// `s` re-encoded from code page `from` to code page `to` through UTF-16;
// `flags` go to MultiByteToWideChar. Empty when `s` cannot be read in `from`.
std::string Convert(const std::string& s, UINT from, UINT to, DWORD flags = 0);

// A script file's bytes in the ANSI code page: scripts are written in UTF-8
// (with or without its byte order mark) or already in the ANSI code page.
std::string ScriptToAnsi(const std::string& bytes);

// `s` between double quotes, as the log writes titles and texts.
std::string Quote(const std::string& s);

// A control's text on one log line: line breaks written as \r and \n.
std::string OneLine(const std::string& s);

// A file name from a title: ASCII letters, digits, "." and "-" kept,
// accented letters of code page 1252 without their accent, runs of anything
// else "_"; at most 60 characters, "window" when nothing is left.
std::string Sanitize(const std::string& title);

}  // namespace pilot
