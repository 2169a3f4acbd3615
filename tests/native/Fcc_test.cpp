// fcc on real host files: what it packs the installer expands unchanged, and
// what the installer would refuse fcc refuses first.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "Fcc.h"
#include "common/LittleEndian.h"
#include "platform/posix/Cp1252.h"
#include "platform/posix/PosixFileSystem.h"

namespace {

namespace fs = std::filesystem;

// Literals are cp1252; host names and fcc's console output are UTF-8.
std::string U(const std::string& cp1252) { return platform::Cp1252ToUtf8(cp1252); }

class Fcc : public ::testing::Test {
protected:
  fs::path dir;

  void SetUp() override {
    std::string t = (fs::temp_directory_path() / "fcc_test_XXXXXX").string();
    ASSERT_NE(mkdtemp(t.data()), nullptr);
    dir = t;
  }
  void TearDown() override { fs::remove_all(dir); }

  std::string Put(const std::string& name, const std::string& data) {
    fs::path p = dir / "in" / name;
    fs::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << data;
    return p.string();
  }
  static std::string Read(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  // Runs the command line; returns the exit code, with stdout and stderr (UTF-8).
  int Run(std::vector<std::string> args, std::string* out = nullptr, std::string* err = nullptr) {
    std::ostringstream o, e;
    int rc = fcc::Main(args, o, e);
    if (out) *out = o.str();
    if (err) *err = e.str();
    return rc;
  }
  std::string Refusal(std::vector<std::string> args) {
    std::string err;
    EXPECT_EQ(Run(args, nullptr, &err), 1) << err;
    return platform::Utf8ToCp1252(err).value_or(err);
  }
  static std::string Inflated(const std::string& payload) {
    uLongf n = LitLe32(reinterpret_cast<const uint8_t*>(payload.data()));
    std::string a(n, '\0');
    EXPECT_EQ(uncompress(reinterpret_cast<Bytef*>(a.data()), &n,
                         reinterpret_cast<const Bytef*>(payload.data() + 4), payload.size() - 4),
              Z_OK);
    return a;
  }
};

TEST_F(Fcc, PackListExtractRoundTrip) {
  std::string program(300000, '\0');
  for (std::size_t i = 0; i < program.size(); ++i) program[i] = static_cast<char>(i * 7 % 251);
  std::string a = Put("brannoch.exe", program);
  std::string b = Put(U("Données de l'élève.frm"), "fiche");
  std::string c = Put("vide.lst", "");
  std::string out = (dir / "Brannoch.FCC").string();
  ASSERT_EQ(Run({"pack", out, a, b, c}), 0);

  std::string payload = Read(out);
  EXPECT_EQ(payload.substr(4, 2), std::string("\x78\x01", 2));
  fcc::Listing l = fcc::List(out);
  ASSERT_EQ(l.Members.size(), 3u);
  EXPECT_EQ(l.Members[0].Name, "brannoch.exe");
  EXPECT_EQ(l.Members[1].Name, "Données de l'élève.frm");  // cp1252, like the literal
  EXPECT_EQ(l.Members[1].Name.size(), 22u);
  EXPECT_EQ(l.NameField, 23);
  EXPECT_EQ(l.Expanded, 5 + 3 * 27 + 300000 + 5u);
  EXPECT_EQ(l.Compressed, payload.size() - 4);

  std::string listed;
  ASSERT_EQ(Run({"list", out}, &listed), 0);
  EXPECT_NE(listed.find(U("Données de l'élève.frm\t5\n")), std::string::npos) << listed;
  EXPECT_NE(listed.find("3 membres, L = 23, "), std::string::npos) << listed;

  std::string progress;
  ASSERT_EQ(Run({"extract", out}, &progress), 0);
  EXPECT_EQ(Read(dir / "brannoch.exe"), program);
  EXPECT_EQ(Read(dir / U("Données de l'élève.frm")), "fiche");
  EXPECT_TRUE(fs::exists(dir / "vide.lst"));
  EXPECT_EQ(fs::file_size(dir / "vide.lst"), 0u);
  EXPECT_FALSE(fs::exists(dir / "Brannoch.CTN"));
  EXPECT_TRUE(fs::exists(out));
  EXPECT_NE(progress.find("[100%] Extraction de vide.lst"), std::string::npos) << progress;
}

TEST_F(Fcc, NameFieldsKeepLeftoversAndPaddingReachesItsSize) {
  std::string a = Put("un nom assez long.txt", "1");
  std::string b = Put("court", "2");
  std::string out = (dir / "p.fcc").string();
  ASSERT_EQ(Run({"pack", out, "--name-field", "30", a, b, "--pad-to", "500", "--pad-member", "Remplissage.dat"}), 0);
  std::string archive = Inflated(Read(out));
  ASSERT_EQ(archive.size(), 500u);
  EXPECT_EQ(archive[4], 30);
  std::string second = archive.substr(5 + 34, 30);
  EXPECT_EQ(second, std::string("\x05") + "courtm assez long.txt" + std::string(8, '\0'));
  fcc::Listing l = fcc::List(out);
  ASSERT_EQ(l.Members.size(), 3u);
  EXPECT_EQ(l.Members[2].Name, "Remplissage.dat");
  EXPECT_EQ(l.Members[2].Size, 500 - 5 - 3 * 34 - 2u);

  EXPECT_NE(Refusal({"pack", out, a, "--pad-to", "50", "--pad-member", "R.dat"}).find("--pad-to 50"),
            std::string::npos);
}

TEST_F(Fcc, ProgressGoesToErrorsAndChangesNoByte) {
  std::string a = Put("brannoch.exe", std::string(3000, 'p'));
  std::string b = Put("b.txt", std::string(1000, 'b'));
  std::string quiet = (dir / "quiet.fcc").string(), shown = (dir / "shown.fcc").string();
  std::string out1, out2, err1, err2;
  ASSERT_EQ(Run({"pack", quiet, a, b}, &out1, &err1), 0);
  ASSERT_EQ(Run({"pack", shown, "--progress", a, b}, &out2, &err2), 0);
  EXPECT_EQ(Read(quiet), Read(shown));
  EXPECT_EQ(out1, out2);
  EXPECT_EQ(err1, "");
  EXPECT_EQ(err2, "\rfcc : lecture 75 % (1/2 fichiers)\rfcc : lecture 100 % (2/2 fichiers)"
                  "\nfcc : compression de 4039 octets\n");

  // A refusal after the progress line starts on a line of its own.
  std::string err;
  EXPECT_EQ(Run({"pack", quiet, "--progress", a, Put("CON", "x")}, nullptr, &err), 1);
  EXPECT_EQ(err.find("\rfcc : lecture 99 % (1/2 fichiers)\nfcc : nom refus"), 0u) << err;
}

TEST_F(Fcc, RefusesWhatTheInstallerWouldRefuse) {
  std::string out = (dir / "p.fcc").string();
  for (std::string bad : {"CON", "nul.txt", "Com3.log", "point.", "espace ", "a\\b", "a:b", "quoi?", "a*", "x|y",
                          "<t>", "\"q\"", "ctl\x01", "com\xc2\xb9"}) {
    std::string f = Put(bad, "x");
    std::string err = Refusal({"pack", out, f});
    EXPECT_NE(err.find("refusé"), std::string::npos) << bad << ": " << err;
    EXPECT_FALSE(fs::exists(out)) << bad;
  }
  EXPECT_NE(Refusal({"pack", out, Put(std::string(255, 'n'), "x")}).find("254 octets"), std::string::npos);
  EXPECT_NE(Refusal({"pack", out, Put("\xE6\x97\xA5\xE6\x9C\xAC.txt", "x")}).find("cp1252"), std::string::npos);
  EXPECT_NE(Refusal({"pack", out, Put(U("élève.txt"), "1"), Put(U("sub/ÉLÈVE.TXT"), "2")}).find("même nom"),
            std::string::npos);
  EXPECT_NE(Refusal({"pack", out, "--name-field", "5", Put("cinq5", "x")}).find("trop petit"), std::string::npos);

  std::string huge = Put("huge.bin", "");
  ASSERT_EQ(truncate(huge.c_str(), 0x80000000LL), 0);
  EXPECT_NE(Refusal({"pack", out, huge}).find("2 Go"), std::string::npos);
  EXPECT_FALSE(fs::exists(out));

  EXPECT_EQ(Run({"pack"}), 2);
  EXPECT_EQ(Run({"pack", out, "--name-field", "x", huge}), 1);
  EXPECT_EQ(Run({"pack", out, "--bogus"}), 2);
  EXPECT_EQ(Run({"unpack", out}), 2);
  EXPECT_EQ(Run({}), 2);
}

TEST_F(Fcc, ListRefusesDamagedPayloads) {
  std::string out = (dir / "p.fcc").string();
  ASSERT_EQ(Run({"pack", out, Put("a.txt", "contenu de a"), Put("b.txt", "contenu de b")}), 0);
  std::string good = Read(out);
  std::string archive = Inflated(good);
  auto write = [&](const std::string& bytes) { std::ofstream(out, std::ios::binary | std::ios::trunc) << bytes; };
  auto repack = [&](const std::string& a) {
    uLongf n = compressBound(a.size());
    std::string z(n, '\0');
    compress2(reinterpret_cast<Bytef*>(z.data()), &n, reinterpret_cast<const Bytef*>(a.data()), a.size(), 1);
    z.resize(n);
    std::string head = good.substr(0, 4);
    uint32_t size = static_cast<uint32_t>(a.size());
    for (int i = 0; i < 4; ++i) head[i] = static_cast<char>(size >> (8 * i));
    write(head + z);
  };

  write(good.substr(0, good.size() - 3));
  EXPECT_NE(Refusal({"list", out}).find("Error in compression routine: -5"), std::string::npos);
  repack(archive + "x");
  EXPECT_NE(Refusal({"list", out}).find("en trop"), std::string::npos);
  repack(archive.substr(0, archive.size() - 1));
  EXPECT_NE(Refusal({"list", out}).find("tronquées"), std::string::npos);
  std::string named = archive;
  named.replace(6, 5, "..\\ab");
  repack(named);
  EXPECT_NE(Refusal({"list", out}).find("nom refusé"), std::string::npos);
  // The installer's own refusal, through extract.
  EXPECT_NE(Refusal({"extract", out}).find("EArchiveError"), std::string::npos);
  EXPECT_FALSE(fs::exists(dir / "a.txt"));
}

TEST_F(Fcc, ExtractWritesThroughNoLinkAndFindsNamesWithoutCase) {
  std::string out = (dir / "p.fcc").string();
  ASSERT_EQ(Run({"pack", out, Put("Lien.txt", "nouveau"), Put("Fiche.frm", "fiche")}), 0);
  std::string outside = Put("dehors.txt", "intact");
  fs::create_symlink(outside, dir / "Lien.txt");
  std::ofstream(dir / "FICHE.FRM") << "ancienne";
  EXPECT_NE(Refusal({"extract", out}).find("Accès au fichier refusé"), std::string::npos);
  EXPECT_EQ(Read(outside), "intact");

  fs::remove(dir / "Lien.txt");
  ASSERT_EQ(Run({"extract", out}), 0);
  EXPECT_EQ(Read(dir / "Lien.txt"), "nouveau");
  // Windows would write the existing file whatever its case: no second file.
  EXPECT_EQ(Read(dir / "FICHE.FRM"), "fiche");
  EXPECT_FALSE(fs::exists(dir / "Fiche.frm"));
}

TEST(PosixFileSystem, MapsPathsAndErrors) {
  using platform::PosixFileSystem;
  EXPECT_EQ(PosixFileSystem::ToWindows(U("/tmp/élève")), "Z:\\tmp\\élève");
  EXPECT_EQ(PosixFileSystem::ToWindows("/"), "Z:\\");
  EXPECT_EQ(PosixFileSystem::ToWindows("/tmp/\xE6\x97\xA5"), std::nullopt);
  PosixFileSystem pfs;
  uint32_t e = 0;
  EXPECT_EQ(pfs.ToHost("Z:\\tmp\\a\\..\\b", &e), "/tmp/b");
  EXPECT_EQ(e, 0u);
  pfs.ToHost("C:\\Brannoch", &e);
  EXPECT_EQ(e, platform::ErrorPathNotFound);
  EXPECT_EQ(pfs.Open("Z:\\tmp\\no such file", platform::Access::Read, platform::Share::Read,
                     platform::Disposition::OpenExisting, &e),
            nullptr);
  EXPECT_EQ(e, platform::ErrorFileNotFound);
  pfs.Open("Z:\\tmp\\no such folder\\f", platform::Access::Read, platform::Share::Read,
           platform::Disposition::OpenExisting, &e);
  EXPECT_EQ(e, platform::ErrorPathNotFound);
  EXPECT_EQ(pfs.CreateDirectory("Z:\\tmp"), platform::ErrorAlreadyExists);
  EXPECT_EQ(platform::Cp1252ToUtf8("\x80\x9C\xE9\x81"), "\xE2\x82\xAC\xC5\x93\xC3\xA9\xC2\x81");
  EXPECT_EQ(platform::Utf8ToCp1252("\xE2\x82\xAC\xC5\x93\xC3\xA9"), "\x80\x9C\xE9");
  EXPECT_EQ(platform::Utf8ToCp1252("\xC0\xA9"), std::nullopt);  // overlong
}

}  // namespace
