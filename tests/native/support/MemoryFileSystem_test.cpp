// The in-memory file system behaves as Windows does where the installer's
// tests rely on it: paths, sharing, files in use, faults, full disks, times,
// and files replaced rather than written through links.
#include <gtest/gtest.h>

#include "support/MemoryFileSystem.h"

namespace {

using platform::Access;
using platform::Disposition;
using platform::Share;
using Op = MemoryFileSystem::Op;

std::unique_ptr<platform::File> Open(MemoryFileSystem& fs, const std::string& path, Access a, Share s, Disposition d,
                                     uint32_t* e) {
  return fs.Open(path, a, s, d, e);
}

TEST(MemoryFileSystem, PathsIgnoreCaseAndResolveLikeWindows) {
  MemoryFileSystem fs;
  fs.AddFile("C:\\Brannoch\\Brannoch.EXE", "MZ");
  EXPECT_TRUE(fs.FileExists("c:\\brannoch\\brannoch.exe"));
  EXPECT_TRUE(fs.FileExists("C:/Brannoch//MAJ\\..\\Brannoch.EXE"));
  EXPECT_TRUE(fs.FileExists("C:\\Brannoch\\Brannoch.EXE. "));
  EXPECT_EQ(fs.FullPath("c:\\BRANNOCH\\brannoch.exe"), "C:\\Brannoch\\Brannoch.EXE");
  fs.AddFile("C:\\Données\\élève", "1");
  EXPECT_TRUE(fs.FileExists("C:\\DONNÉES\\ÉLÈVE"));
  EXPECT_FALSE(fs.FileExists("C:\\Donnees\\eleve"));
  EXPECT_FALSE(fs.FileExists("C:\\Brannoch"));
  EXPECT_TRUE(fs.IsFolder("C:\\Brannoch"));

  EXPECT_EQ(fs.SetCurrentDirectory("c:\\brannoch"), 0u);
  EXPECT_EQ(fs.GetCurrentDirectory(), "C:\\Brannoch");
  EXPECT_TRUE(fs.FileExists("Brannoch.EXE"));
  EXPECT_TRUE(fs.FileExists("C:Brannoch.EXE"));
  EXPECT_TRUE(fs.FileExists("\\Brannoch\\Brannoch.EXE"));
  EXPECT_EQ(fs.SetCurrentDirectory("Brannoch.EXE"), 267u);
  EXPECT_EQ(fs.SetCurrentDirectory("C:\\absent"), platform::ErrorFileNotFound);

  uint32_t e = 0;
  EXPECT_EQ(Open(fs, "C:\\absent\\f", Access::Write, Share::None, Disposition::CreateAlways, &e), nullptr);
  EXPECT_EQ(e, platform::ErrorPathNotFound);
  EXPECT_EQ(Open(fs, "Q:\\f", Access::Write, Share::None, Disposition::CreateAlways, &e), nullptr);
  EXPECT_EQ(e, platform::ErrorPathNotFound);
  EXPECT_EQ(Open(fs, "C:\\a?b", Access::Write, Share::None, Disposition::CreateAlways, &e), nullptr);
  EXPECT_EQ(e, 123u);
  EXPECT_EQ(Open(fs, "C:\\Brannoch", Access::Read, Share::Read, Disposition::OpenExisting, &e), nullptr);
  EXPECT_EQ(e, platform::ErrorAccessDenied);
  EXPECT_EQ(fs.CreateDirectory("C:\\Brannoch"), platform::ErrorAlreadyExists);
  EXPECT_EQ(fs.CreateDirectory("C:\\x\\y"), platform::ErrorPathNotFound);
  EXPECT_EQ(fs.CreateDirectory("C:\\Brannoch\\MAJ"), 0u);
  EXPECT_EQ(fs.List("C:\\Brannoch"), (std::vector<std::string>{"Brannoch.EXE", "MAJ"}));
}

TEST(MemoryFileSystem, SharingAndFilesInUse) {
  MemoryFileSystem fs;
  fs.AddFile("C:\\f", "data");
  uint32_t e = 0;
  auto reader = Open(fs, "C:\\f", Access::Read, Share::Read, Disposition::OpenExisting, &e);
  ASSERT_TRUE(reader);
  EXPECT_TRUE(Open(fs, "C:\\f", Access::Read, Share::ReadWrite, Disposition::OpenExisting, &e));
  EXPECT_FALSE(Open(fs, "C:\\f", Access::ReadWrite, Share::Read, Disposition::OpenAlways, &e));
  EXPECT_EQ(e, platform::ErrorSharingViolation);
  EXPECT_FALSE(Open(fs, "C:\\f", Access::Read, Share::None, Disposition::OpenExisting, &e));
  EXPECT_EQ(fs.DeleteFile("C:\\f"), platform::ErrorSharingViolation);
  EXPECT_EQ(fs.OpenHandles("c:\\F"), 1);
  EXPECT_EQ(reader->Close(), 0u);
  uint32_t done = 0;
  char c;
  EXPECT_EQ(reader->Read(&c, 1, &done), 6u);
  EXPECT_EQ(fs.OpenHandles(), 0);

  fs.SetInUse("C:\\Brannoch\\Brannoch.EXE", true);
  fs.AddFile("C:\\Brannoch\\Brannoch.EXE", "MZ");
  EXPECT_FALSE(Open(fs, "C:\\Brannoch\\Brannoch.EXE", Access::ReadWrite, Share::Read, Disposition::OpenAlways, &e));
  EXPECT_EQ(e, platform::ErrorSharingViolation);
  EXPECT_TRUE(Open(fs, "C:\\Brannoch\\Brannoch.EXE", Access::Read, Share::ReadWrite, Disposition::OpenExisting, &e));
  EXPECT_EQ(fs.CopyFile("C:\\Brannoch\\Brannoch.EXE", "C:\\copie"), 0u);
  EXPECT_EQ(fs.CopyFile("C:\\copie", "C:\\Brannoch\\Brannoch.EXE"), platform::ErrorAccessDenied);
  EXPECT_FALSE(Open(fs, "C:\\Brannoch\\Brannoch.EXE", Access::Write, Share::None, Disposition::CreateAlways, &e));
  EXPECT_EQ(e, platform::ErrorAccessDenied);
  EXPECT_EQ(fs.DeleteFile("C:\\Brannoch\\Brannoch.EXE"), platform::ErrorAccessDenied);
  // The hook lets the program end between two attempts.
  int attempts = 0;
  fs.BeforeCall = [&](Op op, const std::string&) {
    if (op == Op::Open && ++attempts == 3) fs.SetInUse("C:\\Brannoch\\Brannoch.EXE", false);
  };
  while (!Open(fs, "C:\\Brannoch\\Brannoch.EXE", Access::ReadWrite, Share::Read, Disposition::OpenAlways, &e)) {
  }
  EXPECT_EQ(attempts, 3);
}

TEST(MemoryFileSystem, FaultsDiskFullAndTimes) {
  MemoryFileSystem fs;
  fs.SetNow(1000);
  uint32_t e = 0, done = 0;
  fs.AddFault({Op::Write, "c:\\F", 0, 3, 1, 1});
  auto f = Open(fs, "C:\\f", Access::Write, Share::None, Disposition::CreateAlways, &e);
  ASSERT_TRUE(f);
  EXPECT_EQ(f->Write("abcdef", 6, &done), 0u);
  EXPECT_EQ(done, 6u);
  EXPECT_EQ(f->Write("ghijkl", 6, &done), 0u);  // the fault: three bytes stored
  EXPECT_EQ(done, 3u);
  EXPECT_EQ(f->Write("mn", 2, &done), 0u);
  EXPECT_EQ(fs.Contents("C:\\f"), "abcdefghimn");

  fs.SetFreeSpace(2);
  EXPECT_EQ(f->Write("opqr", 4, &done), 0u);
  EXPECT_EQ(done, 2u);
  fs.SetFreeSpace(0, MemoryFileSystem::DiskFull::Error);
  EXPECT_EQ(f->Write("s", 1, &done), platform::ErrorDiskFull);
  EXPECT_EQ(done, 0u);
  fs.SetFreeSpace(std::nullopt);
  EXPECT_EQ(f->SetTimes(1, 2, 3), 0u);
  EXPECT_EQ(fs.TimesOf("C:\\f"), (MemoryFileSystem::Times{1, 2, 3}));
  f.reset();
  EXPECT_EQ(fs.OpenHandles(), 0);

  fs.AddFault({Op::CopyFile, "C:\\g", 5});
  EXPECT_EQ(fs.CopyFile("C:\\f", "C:\\g"), 5u);
  EXPECT_EQ(fs.CopyFile("C:\\f", "C:\\h"), 0u);
  EXPECT_EQ(fs.TimesOf("C:\\h")->Write, 3u);
  fs.SetReadOnly("C:\\h", true);
  EXPECT_EQ(fs.CopyFile("C:\\f", "C:\\h"), platform::ErrorAccessDenied);
  EXPECT_EQ(fs.DeleteFile("C:\\h"), platform::ErrorAccessDenied);
  EXPECT_EQ(fs.CallsOf(Op::CopyFile).size(), 3u);
  EXPECT_EQ(fs.CallsOf(Op::CopyFile)[0].Result, 5u);
}

TEST(MemoryFileSystem, CreatingAndCopyingReplaceLinksInsteadOfWritingThroughThem) {
  MemoryFileSystem fs;
  fs.AddFile("D:\\Dehors\\cible.txt", "intact");
  fs.AddFile("C:\\P\\source", "nouveau");
  fs.AddHardLink("C:\\P\\dur", "D:\\Dehors\\cible.txt");
  fs.AddSymbolicLink("C:\\P\\symbolique", "D:\\Dehors\\cible.txt");
  fs.AddSymbolicLink("C:\\P\\pendant", "D:\\Dehors\\absent.txt");
  // Links are followed by reading, and a hard link is the same file.
  EXPECT_EQ(fs.Contents("C:\\P\\dur"), "intact");
  EXPECT_TRUE(fs.FileExists("C:\\P\\symbolique"));
  EXPECT_FALSE(fs.FileExists("C:\\P\\pendant"));
  uint32_t e = 0;
  auto reader = Open(fs, "C:\\P\\symbolique", Access::Read, Share::Read, Disposition::OpenExisting, &e);
  ASSERT_TRUE(reader);
  EXPECT_EQ(fs.DeleteFile("C:\\P\\dur"), platform::ErrorSharingViolation);  // the file is open
  reader.reset();

  for (const char* name : {"C:\\P\\dur", "C:\\P\\symbolique", "C:\\P\\pendant"}) {
    auto f = Open(fs, name, Access::Write, Share::None, Disposition::CreateAlways, &e);
    ASSERT_TRUE(f) << name;
    uint32_t done = 0;
    EXPECT_EQ(f->Write("neuf", 4, &done), 0u);
    f.reset();
    EXPECT_EQ(fs.Contents(name), "neuf") << name;
    EXPECT_FALSE(fs.IsLink(name)) << name;
  }
  fs.AddHardLink("C:\\P\\copie dure", "D:\\Dehors\\cible.txt");
  fs.AddSymbolicLink("C:\\P\\copie symbolique", "D:\\Dehors\\cible.txt");
  EXPECT_TRUE(fs.IsLink("C:\\P\\copie symbolique"));
  EXPECT_EQ(fs.CopyFile("C:\\P\\source", "C:\\P\\copie dure"), 0u);
  EXPECT_EQ(fs.CopyFile("C:\\P\\source", "C:\\P\\copie symbolique"), 0u);
  EXPECT_EQ(fs.Contents("C:\\P\\copie symbolique"), "nouveau");
  EXPECT_EQ(fs.Contents("C:\\P\\copie dure"), "nouveau");
  EXPECT_EQ(fs.Contents("D:\\Dehors\\cible.txt"), "intact");
  EXPECT_FALSE(fs.IsFile("D:\\Dehors\\absent.txt"));

  // A copy onto the source under another name would lose it; a folder or a
  // read-only file is not taken away.
  fs.AddHardLink("C:\\P\\autre nom", "C:\\P\\source");
  EXPECT_EQ(fs.CopyFile("C:\\P\\source", "C:\\P\\autre nom"), platform::ErrorAccessDenied);
  EXPECT_EQ(fs.CopyFile("C:\\P\\source", "C:\\P\\source"), platform::ErrorAccessDenied);
  EXPECT_EQ(fs.Contents("C:\\P\\source"), "nouveau");
  fs.AddFolder("C:\\P\\dossier");
  fs.SetReadOnly("C:\\P\\copie dure", true);
  EXPECT_FALSE(Open(fs, "C:\\P\\dossier", Access::Write, Share::None, Disposition::CreateAlways, &e));
  EXPECT_EQ(e, platform::ErrorAccessDenied);
  EXPECT_EQ(fs.CopyFile("C:\\P\\source", "C:\\P\\copie dure"), platform::ErrorAccessDenied);
  EXPECT_TRUE(fs.IsFolder("C:\\P\\dossier"));
  EXPECT_EQ(fs.OpenHandles(), 0);
}

}  // namespace
