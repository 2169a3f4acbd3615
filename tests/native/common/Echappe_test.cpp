// Texts printed by the tools carry no control byte from their input.
#include <gtest/gtest.h>

#include "common/Echappe.h"

TEST(EchappeControles, ControlsDelAndTheUnassignedCp1252BytesBecomeHexEscapes) {
  EXPECT_EQ(EchappeControles(std::string("a\x1B[2Jb\tc\r\n\0d\x7F", 13)), "a\\x1B[2Jb\\x09c\\x0D\\x0A\\x00d\\x7F");
  EXPECT_EQ(EchappeControles("\x81\x8D\x8F\x90\x9D"), "\\x81\\x8D\\x8F\\x90\\x9D");
  // The cp1252 letters and signs stay as they are, and so do backslashes.
  const std::string kept = "C:\\Brannoch\\élève € \x80\x9C\xA0\xFF ~";
  EXPECT_EQ(EchappeControles(kept), kept);
  EXPECT_EQ(EchappeControles(""), "");
  const std::string unsafe = std::string("\x7F\x81\x8D\x8F\x90\x9D") + std::string("\0", 1);
  for (int c = 0; c < 256; ++c) {
    std::string out = EchappeControles(std::string(1, static_cast<char>(c)));
    for (char o : out) EXPECT_TRUE(static_cast<unsigned char>(o) >= 0x20 && unsafe.find(o) == std::string::npos) << c;
  }
}
