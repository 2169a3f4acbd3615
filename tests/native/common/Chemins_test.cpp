// The folder part of a Windows path, as the expansion and the shortcut take it.
#include <gtest/gtest.h>

#include "common/Chemins.h"

TEST(Chemins, TheFolderOfAPathKeepsTheSeparatorOfARoot) {
  EXPECT_EQ(DossierDe("C:\\Brannoch\\Brannoch.FCC"), "C:\\Brannoch");
  EXPECT_EQ(DossierDe("C:\\x.exe"), "C:\\");
  EXPECT_EQ(DossierDe("\\x.exe"), "\\");
  EXPECT_EQ(DossierDe("\\\\serveur\\partage\\x"), "\\\\serveur\\partage");
  EXPECT_EQ(DossierDe("Brannoch.FCC"), "");
  // The drive colon separates only when asked.
  EXPECT_EQ(DossierDe("c:x.exe"), "");
  EXPECT_EQ(DossierDe("c:x.exe", "\\:"), "c:");
  EXPECT_EQ(DossierDe("c:\\Brannoch\\Brannoch.EXE", "\\:"), "c:\\Brannoch");
}
