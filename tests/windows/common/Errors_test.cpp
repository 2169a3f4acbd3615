// The run-time library's messages and the standard report, as the Windows build formats them.
#include <gtest/gtest.h>

#include "common/Errors.h"

TEST(Errors, InOutErrorCarriesTheFrenchTextOfItsCode) {
  EXPECT_EQ(EInOutError(5).Message(), "Accès au fichier refusé");
  EXPECT_EQ(EInOutError(112).Message(), "Erreur E/S 112");
  EXPECT_STREQ(EInOutError(2).ClassName(), "EInOutError");
}

TEST(Errors, StandardReportAddsTheFullStopOnlyWhenMissing) {
  const void* a = reinterpret_cast<const void*>(uintptr_t{0x401A2B});
  std::string r = StandardReport("EInOutError", "INSTALL.EXE", a, "Disque plein");
  EXPECT_NE(r.find("Exception EInOutError dans le module INSTALL.EXE dans "), std::string::npos);
  EXPECT_NE(r.find("401A2B."), std::string::npos);
  EXPECT_EQ(r.substr(r.size() - 14), "\rDisque plein.");
  std::string r2 = StandardReport("E", "M", a, "Fin.");
  EXPECT_EQ(r2.substr(r2.size() - 5), "\rFin.");
}
