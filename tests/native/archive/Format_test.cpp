// The archive's format: the head, where the table ends, entries checked
// field by field with one text per fault, and the table as it is written.
#include <gtest/gtest.h>

#include <string>

#include "archive/Format.h"

namespace {

const uint8_t* Bytes(const std::string& s) { return reinterpret_cast<const uint8_t*>(s.data()); }

TEST(Format, HeadTableEndAndDataLeftOver) {
  TTete t = LitTete(Bytes(std::string("\x17\0\0\0\x2A", 5)));
  EXPECT_EQ(t.Nombre, 23u);
  EXPECT_EQ(t.L, 42);
  EXPECT_EQ(FinDeTable(23, 42), 1063u);
  EXPECT_EQ(FinDeTable(0x7FFFFFFF, 255), 556198264578u);  // no wrap at 32 bits
  EXPECT_TRUE(NombreDansLeFormat(0x7FFFFFFF));
  EXPECT_FALSE(NombreDansLeFormat(0x80000000));

  EXPECT_FALSE(DonneesEnTrop(100, 100));
  EXPECT_FALSE(DonneesEnTrop(100, 120));  // missing data are a short read, found where they are missing
  EXPECT_EQ(DonneesEnTrop(103, 100).Texte("\"C:\\B.CTN\""),
            "Données en trop dans l'archive \"C:\\B.CTN\" : 3 octets après le dernier membre");
  EXPECT_EQ(DonneesEnTrop(103, 100).Texte(), "Données en trop : 3 octets après le dernier membre");
}

TEST(Format, EntriesAreCheckedFieldByFieldWithOneTextPerFault) {
  struct Case {
    uint8_t l;
    std::string entry, refused, name;
    uint32_t size;
  } cases[] = {
      {4,
       std::string("\x03"
                   "abc"
                   "\x07\0\0\0",
                   8),
       "", "abc", 7},
      // Unused name bytes do not count; the largest size of the format.
      {6,
       std::string("\x01"
                   "a\xFF\xFF\xFF\xFF"
                   "\xFF\xFF\xFF\x7F",
                   10),
       "", "a", 0x7FFFFFFF},
      {4,
       std::string("\x04"
                   "abc"
                   "\x01\0\0\0",
                   8),
       "Longueur de nom incorrecte : membre 3, 4 caractères pour 3 au plus", "", 0},
      {0, std::string("\x01\0\0\0", 4), "Nom de membre interdit : membre 3, \"\" (nom vide)", "", 0},
      {8,
       std::string("\x03"
                   "a\x1B"
                   "b...."
                   "\x01\0\0\0",
                   12),
       "Nom de membre interdit : membre 3, \"a\\x1Bb\" (caractère interdit)", "", 0},
      {6,
       std::string("\x05"
                   "com1."
                   "\x01\0\0\0",
                   10),
       "Nom de membre interdit : membre 3, \"com1.\" (point ou espace final)", "", 0},
      {6,
       std::string("\x03"
                   "Nul.."
                   "\x01\0\0\0",
                   10),
       "Nom de membre interdit : membre 3, \"Nul\" (nom de périphérique)", "", 0},
      {4,
       std::string("\x01"
                   "aZZ"
                   "\0\0\0\x80",
                   8),
       "Taille de membre incorrecte : membre 3, 2147483648 octets", "", 0},
      // The name is refused first, in the order of the fields.
      {4,
       std::string("\x02"
                   "..Z"
                   "\0\0\0\x80",
                   8),
       "Nom de membre interdit : membre 3, \"..\" (nom réservé)", "", 0},
  };
  for (const Case& c : cases) {
    ASSERT_EQ(c.entry.size(), c.l + 4u) << c.refused;
    TEntree e;
    TRefus r = LitEntree(Bytes(c.entry), c.l, 3, &e);
    EXPECT_EQ(r ? r.Texte() : "", c.refused);
    if (r) continue;
    EXPECT_EQ(e.Nom, c.name);
    EXPECT_EQ(e.Taille, c.size);
  }
}

TEST(Format, TheTableKeepsWhatLongerNamesLeftInTheirField) {
  TEcritTable t(3, 8);
  t.Ajoute("longue", 1);
  t.Ajoute("ab", 0x01020304);
  t.Ajoute("xyz", 0);
  EXPECT_EQ(t.Octets(), std::string("\x03\0\0\0\x08"
                                    "\x06"
                                    "longue\0"
                                    "\x01\0\0\0"
                                    "\x02"
                                    "abngue\0"
                                    "\x04\x03\x02\x01"
                                    "\x03"
                                    "xyzgue\0"
                                    "\0\0\0\0",
                                    5 + 3 * 12));
  TEcritTable none(2, 0);
  none.Ajoute("", 5);
  none.Ajoute("", 6);
  EXPECT_EQ(none.Octets(), std::string("\x02\0\0\0\0"
                                       "\x05\0\0\0"
                                       "\x06\0\0\0",
                                       13));
}

}  // namespace
