#pragma once
// The concatenation archive that a payload expands to, as the installer reads
// it and the packer writes it. All integers are little-endian:
//   head   count (4 bytes), L (1 byte): the size of every name field
//   table  count entries: a name field of L bytes (length byte, then the
//          cp1252 characters; the rest of the field is unused), the size (4)
//   data   the members' bytes one after the other, nothing after the last.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Counts, sizes and whole archives stay under 2 GiB: the format's integers
// are read signed.
inline constexpr uint64_t LimiteDuFormat = 0x80000000u;

// The head's bytes; an entry's are L + TailleDeTaille.
inline constexpr uint32_t TailleDeTete = 5;
inline constexpr uint32_t TailleDeTaille = 4;

// A name fills at most L - 1 bytes of its field, and L is one byte.
inline constexpr std::size_t NomLePlusLong = 254;

// Members are copied, and payloads packed, in pieces of this size at most.
inline constexpr uint32_t MorceauDeCopie = 256 * 1024;

struct TTete {
  uint32_t Nombre = 0;
  uint8_t L = 0;
};

// The head from its TailleDeTete bytes, unchecked.
TTete LitTete(const uint8_t* octets);

// Whether the head's count is one the format allows.
constexpr bool NombreDansLeFormat(uint32_t nombre) { return nombre < LimiteDuFormat; }

// Where the table ends and the data begin.
constexpr uint64_t FinDeTable(uint64_t nombre, unsigned l) { return TailleDeTete + nombre * (l + TailleDeTaille); }

struct TEntree {
  std::string Nom;  // cp1252
  uint32_t Taille = 0;
};

// Why an archive is refused: what is wrong, then where and why, so that the
// installer and the packer say the same of one fault.
struct TRefus {
  std::string Quoi, Detail;
  explicit operator bool() const { return !Quoi.empty(); }
  // "Quoi : Detail", or "Quoi dans l'archive ARCHIVE : Detail" when the
  // archive (quoted by the caller) is named.
  std::string Texte(std::string_view archive = {}) const;
};

// Entry i (from 1) from its l + TailleDeTaille bytes, checked field by field:
// a name length beyond its field, a name that MotifDeRefus refuses, and a
// size outside the format are refused, and *entree is then left incomplete.
TRefus LitEntree(const uint8_t* octets, uint8_t l, uint32_t i, TEntree* entree);

// Refuses an archive of longueur bytes whose members end before it does: a
// count too small or bytes added, which no entry accounts for. Data missing
// are not refused here: a reader finds them where they are missing.
TRefus DonneesEnTrop(uint64_t longueur, uint64_t fin);

// Why a member name may not be written into the archive's folder, or "" when
// it may: it must be a plain Windows file name, neither empty, "." nor "..",
// free of \ / : * ? " < > | and control bytes, not ending in a dot or a
// space, and not a device name (CON, PRN, AUX, NUL, COM1-9, LPT1-9, with or
// without an extension, in any case).
std::string MotifDeRefus(std::string_view nom);

// Writes a head and a table, entry by entry, into Octets. One name field is
// written over for every entry: its unused bytes keep what longer names
// before left there, as in the payloads the installer has always carried.
class TEcritTable {
public:
  TEcritTable(uint32_t nombre, uint8_t l);
  // name holds at most l - 1 bytes (none when l is 0).
  void Ajoute(std::string_view nom, uint32_t taille);
  const std::string& Octets() const { return octets_; }

private:
  std::string octets_, champ_;
};
