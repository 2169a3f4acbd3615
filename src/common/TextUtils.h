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

// Replaces every occurrence of Ancien by Nouveau in Texte and returns how many
// were replaced. Exact false compares the MajusculesSansAccents copies; the
// replacement is inserted unchanged. Matches are found leftmost first and do
// not overlap; an empty Ancien replaces nothing. Ancien and Nouveau are short
// strings (cut to 255). Each occurrence is first turned into a 0x01 marker, so
// a 0x01 byte already in Texte is replaced and counted as well. Should Ancien
// or Nouveau hold that byte, each position is still replaced at most once.
int RemplaceTout(std::string_view Ancien, std::string_view Nouveau, std::string& Texte, bool Exact);

// The same on a short string, within its capacity: bytes pushed past the end
// by an insertion are lost, markers included, and an occurrence whose marker
// was lost is neither replaced nor counted.
int RemplaceToutCourt(std::string_view Ancien, std::string_view Nouveau, ShortString& Texte, bool Exact);

// Copy with A-Z turned into a-z; every other byte unchanged.
std::string EnMinuscules(std::string_view s);

// Copy without leading and trailing spaces (0x20 only).
std::string SansEspaces(std::string_view s);

// Removes leading and trailing spaces (0x20 only) in place.
void OteEspaces(ShortString& s);
void OteEspaces(std::string& s);
