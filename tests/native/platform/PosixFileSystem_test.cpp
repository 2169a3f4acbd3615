// The host file system's lookup without regard to case, through its index of
// each folder's names: what this object creates and removes, and what changes
// beside it; and files replaced, never written through links, with what is
// not a file refused without waiting.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <set>

#include "platform/posix/PosixFileSystem.h"

namespace {

namespace fs = std::filesystem;
using platform::Access;
using platform::Disposition;
using platform::Share;

class PosixLookup : public ::testing::Test {
protected:
  fs::path dir;
  std::string w;  // the folder in Windows form
  platform::PosixFileSystem pfs;

  void SetUp() override {
    std::string t = (fs::temp_directory_path() / "posixfs_test_XXXXXX").string();
    ASSERT_NE(mkdtemp(t.data()), nullptr);
    dir = t;
    w = *platform::PosixFileSystem::ToWindows(t);
  }
  void TearDown() override { fs::remove_all(dir); }

  void Write(const std::string& name, const std::string& bytes) {
    uint32_t e = 0;
    auto f = pfs.Open(w + "\\" + name, Access::Write, Share::None, Disposition::CreateAlways, &e);
    ASSERT_NE(f, nullptr) << name << " " << e;
    uint32_t done = 0;
    ASSERT_EQ(f->Write(bytes.data(), static_cast<uint32_t>(bytes.size()), &done), 0u);
    ASSERT_EQ(f->Close(), 0u);
  }
  std::set<std::string> Names() const {
    std::set<std::string> r;
    for (const auto& e : fs::directory_iterator(dir)) r.insert(e.path().filename().string());
    return r;
  }
  // A change made beside this object, with the folder's time moved for sure
  // (the host's clock may not tick between two changes).
  void Outside(const std::function<void()>& change, time_t when) {
    change();
    timespec t[2] = {{when, 0}, {when, 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, dir.c_str(), t, 0), 0);
  }
};

TEST_F(PosixLookup, NamesThisObjectCreatesAreFoundInAnyCase) {
  for (int i = 0; i < 300; ++i) Write("Fiche " + std::to_string(i) + ".frm", "v1");
  for (int i = 0; i < 300; ++i) Write("FICHE " + std::to_string(i) + ".FRM", "v2");
  EXPECT_EQ(Names().size(), 300u);
  EXPECT_TRUE(Names().count("Fiche 7.frm"));
  EXPECT_TRUE(pfs.FileExists(w + "\\fiche 299.Frm"));
  std::ifstream in(dir / "Fiche 42.frm");
  std::string got;
  in >> got;
  EXPECT_EQ(got, "v2");

  EXPECT_EQ(pfs.CreateDirectory(w + "\\Sous Dossier"), 0u);
  Write("SOUS DOSSIER\\Dedans.txt", "x");
  EXPECT_TRUE(fs::exists(dir / "Sous Dossier" / "Dedans.txt"));
  EXPECT_EQ(pfs.CreateDirectory(w + "\\sous dossier"), platform::ErrorAlreadyExists);
}

TEST_F(PosixLookup, ChangesBesideThisObjectAreSeen) {
  Write("Premier.txt", "1");
  EXPECT_FALSE(pfs.FileExists(w + "\\autre.txt"));
  Outside([&] { std::ofstream(dir / "Autre.TXT") << "dehors"; }, 1000000000);
  EXPECT_TRUE(pfs.FileExists(w + "\\autre.txt"));
  Write("AUTRE.txt", "dedans");
  EXPECT_EQ(Names(), (std::set<std::string>{"Premier.txt", "Autre.TXT"}));

  Outside([&] { fs::remove(dir / "Autre.TXT"); }, 1000000100);
  EXPECT_FALSE(pfs.FileExists(w + "\\autre.txt"));
  Write("autre.txt", "nouveau");
  EXPECT_EQ(Names(), (std::set<std::string>{"Premier.txt", "autre.txt"}));

  // A change beside it just before this object rewrites a name it finds as
  // spelt (without a look into the index) is not lost.
  Outside([&] { std::ofstream(dir / "TROISIEME.txt") << "3"; }, 1000000200);
  Write("Premier.txt", "1 bis");
  EXPECT_TRUE(pfs.FileExists(w + "\\troisieme.TXT"));
}

TEST_F(PosixLookup, DeletingOneSpellingLeavesTheOtherFindable) {
  Write("Double.dat", "a");
  Outside([&] { std::ofstream(dir / "DOUBLE.DAT") << "b"; }, 1000000000);
  ASSERT_TRUE(pfs.FileExists(w + "\\double.dat"));
  ASSERT_EQ(pfs.DeleteFile(w + "\\Double.dat"), 0u);
  EXPECT_TRUE(pfs.FileExists(w + "\\double.dat"));
  ASSERT_EQ(pfs.DeleteFile(w + "\\double.dat"), 0u);
  EXPECT_FALSE(pfs.FileExists(w + "\\double.dat"));
  EXPECT_TRUE(Names().empty());
}

std::string Slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::string s((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return s;
}

TEST_F(PosixLookup, CreatingAndCopyingReplaceLinksAndRefuseWhatIsNotAFile) {
  fs::path outside = dir.string() + "_dehors";
  fs::create_directory(outside);
  std::ofstream(outside / "cible.txt") << "intact";
  std::ofstream(dir / "source") << "nouveau";
  fs::create_hard_link(outside / "cible.txt", dir / "dur");
  fs::create_symlink(outside / "cible.txt", dir / "symbolique");
  fs::create_symlink(outside / "absent.txt", dir / "pendant");
  fs::create_hard_link(outside / "cible.txt", dir / "copie dure");
  fs::create_symlink(outside / "cible.txt", dir / "copie symbolique");
  for (const char* name : {"dur", "symbolique", "pendant"}) Write(name, "neuf");
  EXPECT_EQ(pfs.CopyFile(w + "\\source", w + "\\COPIE DURE"), 0u);
  EXPECT_EQ(pfs.CopyFile(w + "\\source", w + "\\copie symbolique"), 0u);
  for (const char* name : {"dur", "symbolique", "pendant"}) {
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(dir / name))) << name;
    EXPECT_EQ(Slurp(dir / name), "neuf") << name;
  }
  EXPECT_EQ(Slurp(dir / "copie dure"), "nouveau");
  EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(dir / "copie symbolique")));
  EXPECT_EQ(Slurp(outside / "cible.txt"), "intact");
  EXPECT_EQ(fs::hard_link_count(outside / "cible.txt"), 1u);
  EXPECT_FALSE(fs::exists(outside / "absent.txt"));

  // The source under its own or another name is not replaced by itself.
  fs::create_hard_link(dir / "source", dir / "autre nom");
  EXPECT_EQ(pfs.CopyFile(w + "\\source", w + "\\autre nom"), platform::ErrorAccessDenied);
  EXPECT_EQ(pfs.CopyFile(w + "\\source", w + "\\Source"), platform::ErrorAccessDenied);
  EXPECT_EQ(Slurp(dir / "source"), "nouveau");

  // A FIFO, a folder and a read-only file stay, refused at once.
  ASSERT_EQ(mkfifo((dir / "fifo").c_str(), 0666), 0);
  fs::create_directory(dir / "dossier");
  std::ofstream(dir / "lecture seule") << "garde";
  fs::permissions(dir / "lecture seule", fs::perms::owner_read | fs::perms::group_read);
  uint32_t e = 0;
  for (const char* name : {"fifo", "dossier", "lecture seule"}) {
    EXPECT_EQ(pfs.Open(w + "\\" + name, Access::Write, Share::None, Disposition::CreateAlways, &e), nullptr);
    EXPECT_EQ(e, platform::ErrorAccessDenied) << name;
    EXPECT_EQ(pfs.CopyFile(w + "\\source", w + "\\" + name), platform::ErrorAccessDenied) << name;
  }
  for (Access a : {Access::Read, Access::Write}) {
    EXPECT_EQ(pfs.Open(w + "\\fifo", a, Share::Read, Disposition::OpenExisting, &e), nullptr);
    EXPECT_EQ(e, platform::ErrorAccessDenied);
  }
  EXPECT_TRUE(fs::is_fifo(dir / "fifo"));
  EXPECT_TRUE(fs::is_directory(dir / "dossier"));
  EXPECT_EQ(Slurp(dir / "lecture seule"), "garde");

  // Deleting a link takes the link away, not what it leads to.
  fs::create_symlink(outside / "cible.txt", dir / "lien");
  EXPECT_EQ(pfs.DeleteFile(w + "\\lien"), 0u);
  EXPECT_FALSE(fs::exists(fs::symlink_status(dir / "lien")));
  EXPECT_EQ(Slurp(outside / "cible.txt"), "intact");
  fs::remove_all(outside);
}

}  // namespace
