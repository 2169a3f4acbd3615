// Accent-folding upper case: the one comparison of the system that ignores case.
#include <gtest/gtest.h>

#include "common/TextUtils.h"

TEST(MajusculesSansAccents, FoldsOnlyTheFrenchLowerCaseAccents) {
  EXPECT_EQ(MajusculesSansAccents("abc xyz"), "ABC XYZ");
  EXPECT_EQ(MajusculesSansAccents("àâäçèéêëîïôöùûü"), "AAACEEEEIIOOUUU");
  // Accented capitals and the other accented letters stay as they are.
  EXPECT_EQ(MajusculesSansAccents("ÀÉÇáñÿ"), "ÀÉÇáñÿ");
  EXPECT_EQ(MajusculesSansAccents(""), "");
}
