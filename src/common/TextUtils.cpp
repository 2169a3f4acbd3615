#include "common/TextUtils.h"

namespace {

constexpr char Marker = '\x01';

std::string_view Short(std::string_view s) { return s.substr(0, ShortString::MaxCapacity); }

}  // namespace

char MajusculeSansAccent(char c) {
  auto b = static_cast<unsigned char>(c);
  if (b >= 'a' && b <= 'z') return static_cast<char>(b - 32);
  switch (b) {
    case 0xE0:
    case 0xE2:
    case 0xE4: return 'A';
    case 0xE7: return 'C';
    case 0xE8:
    case 0xE9:
    case 0xEA:
    case 0xEB: return 'E';
    case 0xEE:
    case 0xEF: return 'I';
    case 0xF4:
    case 0xF6: return 'O';
    case 0xF9:
    case 0xFB:
    case 0xFC: return 'U';
  }
  return c;
}

std::string MajusculesSansAccents(std::string_view s) {
  std::string r(s);
  for (char& c : r) c = MajusculeSansAccent(c);
  return r;
}

// A text has no capacity, so marking and substituting one occurrence at a time
// from the left gives the same result as one pass each: a marker can never be
// part of a later match, and Nouveau holds no marker.
int RemplaceTout(std::string_view Ancien, std::string_view Nouveau, std::string& Texte, bool Exact) {
  Ancien = Short(Ancien);
  Nouveau = Short(Nouveau);
  if (!Ancien.empty()) {
    std::string copie = Exact ? Texte : MajusculesSansAccents(Texte);
    std::string motif = Exact ? std::string(Ancien) : MajusculesSansAccents(Ancien);
    std::string marque;
    marque.reserve(Texte.size());
    std::size_t from = 0;
    for (std::size_t p; (p = copie.find(motif, from)) != std::string::npos; from = p + motif.size()) {
      marque.append(Texte, from, p - from);
      marque += Marker;
    }
    if (from > 0) {  // something was marked
      marque.append(Texte, from, std::string::npos);
      Texte.swap(marque);
    }
  }
  int count = 0;
  std::string out;
  std::size_t from = 0;
  for (std::size_t p; (p = Texte.find(Marker, from)) != std::string::npos; from = p + 1) {
    if (count == 0) out.reserve(Texte.size() + Nouveau.size());
    out.append(Texte, from, p - from);
    out.append(Nouveau);
    ++count;
  }
  if (count > 0) {
    out.append(Texte, from, std::string::npos);
    Texte.swap(out);
  }
  return count;
}

// Step by step, as the capacity decides which markers survive. Each search
// goes on from the last marker, which changes nothing when the pattern and
// the replacement hold no 0x01 (nothing before it can match any more) and
// ends the loops when they do.
int RemplaceToutCourt(std::string_view Ancien, std::string_view Nouveau, ShortString& Texte, bool Exact) {
  Ancien = Short(Ancien);
  Nouveau = Short(Nouveau);
  if (Exact && (Ancien.empty() || Texte.str().find(Ancien) == std::string::npos) &&
      Texte.str().find(Marker) == std::string::npos)
    return 0;  // nothing to mark, nothing to substitute
  if (!Ancien.empty()) {
    std::string copie = Exact ? Texte.str() : MajusculesSansAccents(Texte.str());
    std::string motif = Exact ? std::string(Ancien) : MajusculesSansAccents(Ancien);
    const std::string_view marker(&Marker, 1);
    for (std::size_t p = 0; (p = copie.find(motif, p)) != std::string::npos; ++p) {
      Texte.Insert(p, marker);
      copie.insert(p, marker);
      Texte.Delete(p + 1, motif.size());
      copie.erase(p + 1, motif.size());
    }
  }
  int count = 0;
  for (std::size_t p = 0; (p = Texte.str().find(Marker, p)) != std::string::npos; p += Nouveau.size()) {
    Texte.Insert(p, Nouveau);
    Texte.Delete(p + Nouveau.size(), 1);
    ++count;
  }
  return count;
}

std::string EnMinuscules(std::string_view s) {
  std::string r(s);
  for (char& c : r)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  return r;
}

std::string SansEspaces(std::string_view s) {
  std::size_t b = s.find_first_not_of(' ');
  if (b == std::string_view::npos) return {};
  std::size_t e = s.find_last_not_of(' ');
  return std::string(s.substr(b, e - b + 1));
}

void OteEspaces(ShortString& s) { s = SansEspaces(s.str()); }

void OteEspaces(std::string& s) { s = SansEspaces(s); }
