#pragma once
// Replacement, case folding and trimming of cp1252 texts and short strings.

#include <cstddef>
#include <string>
#include <string_view>

#include "common/ShortString.h"

// Upper case without French accents: a-z to A-Z, and à â ä ç è é ê ë î ï ô ö
// ù û ü to their plain capitals; every other byte unchanged.
char MajusculeSansAccent(char c);
std::string MajusculesSansAccents(std::string_view s);
