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
  // The members fcc list finds, in order.
  static std::vector<fcc::Member> Members(const std::string& payload, fcc::Listing* l = nullptr) {
    std::vector<fcc::Member> r;
    fcc::Listing got = fcc::List(payload, [&](const fcc::Member& m) { r.push_back(m); });
    EXPECT_EQ(got.Count, r.size());
    if (l) *l = got;
    return r;
  }
  // A payload file holding the archive, compressed as fcc does.
  std::string PayloadFile(const std::string& archive) {
    uLongf n = compressBound(archive.size());
    std::string z(n, '\0');
    compress2(reinterpret_cast<Bytef*>(z.data()), &n, reinterpret_cast<const Bytef*>(archive.data()), archive.size(),
              1);
    z.resize(n);
    std::string head;
    AjouteLe32(head, static_cast<uint32_t>(archive.size()));
    std::string out = (dir / "p.fcc").string();
    std::ofstream(out, std::ios::binary | std::ios::trunc) << head << z;
    return out;
  }
  // An archive of one-byte members named as given, with name fields of l bytes.
  static std::string ArchiveOf(const std::vector<std::string>& names, int l) {
    std::string a;
    AjouteLe32(a, static_cast<uint32_t>(names.size()));
    a += static_cast<char>(l);
    for (const std::string& n : names) {
      std::string field(l, '\0');
      field[0] = static_cast<char>(n.size());
      field.replace(1, n.size(), n);
      a += field;
      AjouteLe32(a, 1);
    }
    return a + std::string(names.size(), 'd');
  }
  static std::string Inflated(const std::string& payload) {
    uLongf n = LitLe32(reinterpret_cast<const uint8_t*>(payload.data()));
    std::string a(n, '\0');
    EXPECT_EQ(uncompress(reinterpret_cast<Bytef*>(a.data()), &n, reinterpret_cast<const Bytef*>(payload.data() + 4),
                         payload.size() - 4),
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
  fcc::Listing l;
  std::vector<fcc::Member> ms = Members(out, &l);
  ASSERT_EQ(ms.size(), 3u);
  EXPECT_EQ(ms[0].Name, "brannoch.exe");
  EXPECT_EQ(ms[1].Name, "Données de l'élève.frm");  // cp1252, like the literal
  EXPECT_EQ(ms[1].Name.size(), 22u);
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

TEST_F(Fcc, PaddingReachesItsSize) {
  std::string a = Put("un nom assez long.txt", "1");
  std::string b = Put("court", "2");
  std::string out = (dir / "p.fcc").string();
  ASSERT_EQ(Run({"pack", out, "--name-field", "30", a, b, "--pad-to", "500", "--pad-member", "Remplissage.dat"}), 0);
  std::string archive = Inflated(Read(out));
  ASSERT_EQ(archive.size(), 500u);
  EXPECT_EQ(archive[4], 30);
  std::vector<fcc::Member> ms = Members(out);
  ASSERT_EQ(ms.size(), 3u);
  EXPECT_EQ(ms[2].Name, "Remplissage.dat");
  EXPECT_EQ(ms[2].Size, 500 - 5 - 3 * 34 - 2u);

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
  EXPECT_EQ(err2,
            "\rfcc : lecture 75 % (1/2 fichiers)\rfcc : lecture 100 % (2/2 fichiers)"
            "\nfcc : compression de 4039 octets\n");

  // A name is refused before anything is read; a failure once the progress
  // line has started is reported on a line of its own.
  std::string err;
  EXPECT_EQ(Run({"pack", quiet, "--progress", a, Put("CON", "x")}, nullptr, &err), 1);
  EXPECT_EQ(err.find("fcc : nom refus"), 0u) << err;
  EXPECT_EQ(Run({"pack", quiet, "--progress", a, "/proc/self/status"}, nullptr, &err), 1);
  EXPECT_EQ(err.find("\rfcc : lecture 100 % (1/2 fichiers)\nfcc : fichier allong"), 0u) << err;
}

TEST_F(Fcc, RefusesWhatTheInstallerWouldRefuse) {
  std::string out = (dir / "p.fcc").string();
  for (std::string bad : {"CON", "nul.txt", "Com3.log", "point.", "espace ", "a\\b", "a:b", "quoi?", "a*", "x|y", "<t>",
                          "\"q\"", "ctl\x01", "com\xc2\xb9"}) {
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
  EXPECT_NE(Refusal({"list", out}).find("Nom de membre interdit"), std::string::npos);
  // The installer's own refusal, through extract.
  EXPECT_NE(Refusal({"extract", out}).find("EArchiveError"), std::string::npos);
  EXPECT_FALSE(fs::exists(dir / "a.txt"));
}

TEST_F(Fcc, ExtractWritesThroughNoLinkAndFindsNamesWithoutCase) {
  std::string out = (dir / "p.fcc").string();
  ASSERT_EQ(Run({"pack", out, Put("Lien.txt", "nouveau"), Put("Dur.txt", "dur"), Put("Fiche.frm", "fiche")}), 0);
  // Links planted under a member's name and under the temporary file's.
  std::string outside = Put("dehors.txt", "intact");
  fs::create_symlink(outside, dir / "Lien.txt");
  fs::create_hard_link(outside, dir / "DUR.TXT");
  fs::create_symlink(outside, dir / "p.CTN");
  std::ofstream(dir / "FICHE.FRM") << "ancienne";
  ASSERT_EQ(Run({"extract", out}), 0);
  EXPECT_EQ(Read(outside), "intact");
  EXPECT_EQ(fs::hard_link_count(outside), 1u);
  EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(dir / "Lien.txt")));
  EXPECT_EQ(Read(dir / "Lien.txt"), "nouveau");
  EXPECT_EQ(Read(dir / "DUR.TXT"), "dur");
  EXPECT_FALSE(fs::exists(fs::symlink_status(dir / "p.CTN")));
  // Windows would find the existing file whatever its case: no second file.
  EXPECT_EQ(Read(dir / "FICHE.FRM"), "fiche");
  EXPECT_FALSE(fs::exists(dir / "Fiche.frm"));

  // What is not a file under a member's or the temporary file's name is
  // refused at once, and stays.
  ASSERT_EQ(mkfifo((dir / "Fiche.frm").c_str(), 0666), 0);
  fs::remove(dir / "FICHE.FRM");
  std::string member = *platform::PosixFileSystem::ToWindows((dir / "Fiche.frm").string());
  EXPECT_NE(Refusal({"extract", out}).find("Accès au fichier refusé : \"" + member + "\""), std::string::npos);
  EXPECT_TRUE(fs::is_fifo(dir / "Fiche.frm"));
  fs::remove(dir / "Fiche.frm");
  fs::remove(dir / "p.CTN");  // left by the failure
  ASSERT_EQ(mkfifo((dir / "p.ctn").c_str(), 0666), 0);
  EXPECT_NE(Refusal({"extract", out}).find("Impossible de créer le fichier"), std::string::npos);
  EXPECT_TRUE(fs::is_fifo(dir / "p.ctn"));
}

TEST_F(Fcc, ErrorsNameTheMemberAndShowNoControlByte) {
  // 128 accented letters: 128 bytes for the installer, 256 once in UTF-8,
  // more than the host stores in one name.
  std::string longName(128, '\xE9');
  std::string out = PayloadFile(ArchiveOf({"premier.txt", longName, "dernier.txt"}, 200));
  std::string err, progress;
  EXPECT_EQ(Run({"extract", out}, &progress, &err), 1);
  std::string member = *platform::PosixFileSystem::ToWindows(dir.string()) + "\\" + longName;
  EXPECT_EQ(err, U("fcc : EInOutError : Erreur E/S 206 : \"" + member +
                   "\" (Le nom de fichier ou l'extension est trop long)\n"));
  EXPECT_TRUE(fs::exists(dir / "premier.txt"));

  // Bytes that a terminal would obey: DEL and a cp1252 byte standing for a
  // C1 control are accepted in names, shown escaped by list and extract;
  // other controls are refused, and the refusal shows them escaped too.
  fs::remove(dir / "p.CTN");
  out = PayloadFile(ArchiveOf({"a\x7F.txt", "b\x9D.txt"}, 12));
  std::string listed;
  ASSERT_EQ(Run({"list", out}, &listed), 0);
  EXPECT_EQ(listed.substr(0, listed.find(" membres")), "a\\x7F.txt\t1\nb\\x9D.txt\t1\n2");
  ASSERT_EQ(Run({"extract", out}, &progress), 0);
  EXPECT_NE(progress.find("[ 50%] Extraction de a\\x7F.txt\n[100%] Extraction de b\\x9D.txt\n"), std::string::npos)
      << progress;
  EXPECT_EQ(Read(dir / U("b\x9D.txt")), "d");
  out = PayloadFile(ArchiveOf({"a\x1B[2J.txt"}, 12));
  EXPECT_NE(Refusal({"list", out}).find("Nom de membre interdit : membre 1, \"a\\x1B[2J.txt\""), std::string::npos);
  EXPECT_NE(Refusal({"extract", out}).find("\"a\\x1B[2J.txt\" (caractère interdit)"), std::string::npos);
  EXPECT_EQ(Refusal({"list", "/nonexistent/\x1B"}), "fcc : fichier introuvable : \"/nonexistent/\\x1B\"\n");
}

TEST_F(Fcc, PackInPiecesMakesTheBytesOfOneCompression) {
  // Inputs across the pieces in which they are read, a generated member
  // across them too, and the archive compressed at once for comparison.
  std::string noise(600000, '\0');
  uint32_t x = 12345;
  for (char& c : noise) c = static_cast<char>((x = x * 1103515245 + 12345) >> 24);
  std::string text;
  for (int i = 0; text.size() < 700000; ++i)
    text += "Article " + std::to_string(i) + " ; stock " + std::to_string(i % 97) + "\r\n";
  std::vector<std::string> files = {Put("a.bin", noise), Put("b.txt", text), Put("c.bin", noise.substr(0, 256 * 1024)),
                                    Put("d.vide", "")};
  std::string out = (dir / "p.fcc").string();
  std::vector<std::string> args = {"pack", out, "--pad-to", "2000000", "--pad-member", "z.dat"};
  args.insert(args.end(), files.begin(), files.end());
  ASSERT_EQ(Run(args), 0);

  std::string payload = Read(out);
  std::string archive = Inflated(payload);
  ASSERT_EQ(archive.size(), 2000000u);
  uLongf n = compressBound(archive.size());
  std::string z(n, '\0');
  ASSERT_EQ(compress2(reinterpret_cast<Bytef*>(z.data()), &n, reinterpret_cast<const Bytef*>(archive.data()),
                      archive.size(), 1),
            Z_OK);
  z.resize(n);
  EXPECT_TRUE(payload.substr(4) == z) << "the stream differs from one compression of the archive";
  uint32_t pad = Members(out).back().Size;
  std::string lines;
  while (lines.size() < pad) lines += "Zone réservée aux données de Brannoch.\r\n";
  EXPECT_TRUE(archive.substr(archive.size() - pad) == lines.substr(0, pad));
}

TEST_F(Fcc, PackShowsProgressAndLeavesNothingWhenItFails) {
  std::string big = Put("gros.bin", std::string(3 << 20, 'g'));
  std::string out = (dir / "p.fcc").string();
  std::ostringstream progress;
  fcc::PackOptions o;
  o.Output = out;
  o.Files = {big};
  o.Progress = &progress;
  o.ProgressInPlace = false;
  fcc::Pack(o);
  // Whole lines: one a piece here, where the interval is 0.
  std::string lines = progress.str();
  EXPECT_EQ(lines.find("fcc : lecture 8 % (0/1 fichiers)\n"), 0u) << lines;
  EXPECT_NE(lines.find("\nfcc : lecture 50 % (0/1 fichiers)\n"), std::string::npos) << lines;
  const std::string end = "fcc : lecture 100 % (1/1 fichiers)\nfcc : compression de 3145746 octets\n";
  EXPECT_EQ(lines.substr(lines.size() - end.size()), end);
  o.ProgressInPlace = true;
  progress.str("");
  fcc::Pack(o);
  lines = progress.str();
  EXPECT_EQ(lines.find("\rfcc : lecture 8 % (0/1 fichiers)\r"), 0u) << lines;
  EXPECT_EQ(lines.substr(lines.size() - end.size() - 1), "\r" + end);

  // Unasked, a short pack shows nothing.
  std::string err;
  ASSERT_EQ(Run({"pack", out, big}, nullptr, &err), 0);
  EXPECT_EQ(err, "");

  // A file whose size is not the one it had when the pack began: /proc
  // files show no size and then have bytes.
  EXPECT_NE(Refusal({"pack", out, big, "/proc/self/status"}).find("fichier allongé pendant la compression"),
            std::string::npos);
  EXPECT_FALSE(fs::exists(out));
  // The output among the inputs would be emptied before it is read.
  ASSERT_EQ(Run({"pack", out, big}), 0);
  EXPECT_NE(Refusal({"pack", out, big, out}).find("aussi une entrée"), std::string::npos);
  EXPECT_TRUE(fs::exists(out));
}

TEST_F(Fcc, PackReplacesALinkAtItsOutputAndRefusesAFolder) {
  std::string in = Put("a.txt", "a"), outside = Put("dehors.txt", "intact");
  const fs::path out = dir / "p.fcc";
  for (bool symbolic : {true, false}) {
    symbolic ? fs::create_symlink(outside, out) : fs::create_hard_link(outside, out);
    ASSERT_EQ(Run({"pack", out.string(), in}), 0);
    EXPECT_EQ(Read(outside), "intact") << symbolic;
    EXPECT_EQ(fs::hard_link_count(outside), 1u);
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(out)));
    EXPECT_EQ(Members(out.string()).size(), 1u);
    fs::remove(out);
  }
  fs::create_directory(out);
  EXPECT_NE(Refusal({"pack", out.string(), in}).find("écriture impossible"), std::string::npos);
  EXPECT_TRUE(fs::is_directory(out));
}

TEST_F(Fcc, ListReadsATableAcrossPiecesAndRefusesShortOnes) {
  auto payload = [&](const std::string& a) {
    uLongf n = compressBound(a.size());
    std::string z(n, '\0');
    compress2(reinterpret_cast<Bytef*>(z.data()), &n, reinterpret_cast<const Bytef*>(a.data()), a.size(), 1);
    z.resize(n);
    std::string head;
    AjouteLe32(head, static_cast<uint32_t>(a.size()));
    std::string out = (dir / "p.fcc").string();
    std::ofstream(out, std::ios::binary | std::ios::trunc) << head << z;
    return out;
  };
  // 1,100 entries of 259 bytes: the table alone is longer than a piece, and
  // entry 1,013 straddles the end of the first one.
  std::string a;
  AjouteLe32(a, 1100);
  a += '\xFF';
  for (int i = 0; i < 1100; ++i) {
    std::string name = "membre " + std::to_string(i);
    std::string field(255, 'x');
    field[0] = static_cast<char>(name.size());
    field.replace(1, name.size(), name);
    a += field;
    AjouteLe32(a, 1);
  }
  a += std::string(1100, 'd');
  fcc::Listing l;
  std::vector<fcc::Member> ms = Members(payload(a), &l);
  ASSERT_EQ(ms.size(), 1100u);
  static_assert(5 + 1012 * 259 < 256 * 1024 && 5 + 1013 * 259 > 256 * 1024);
  EXPECT_EQ(ms[1012].Name, "membre 1012");
  EXPECT_EQ(l.Expanded, a.size());

  a[5 + 1012 * 259] = static_cast<char>(255);
  EXPECT_NE(
      Refusal({"list", payload(a)}).find("Longueur de nom incorrecte : membre 1013, 255 caractères pour 254 au plus"),
      std::string::npos);
  EXPECT_NE(Refusal({"list", payload(std::string("\x05\0\0\0\x04xyz", 8))})
                .find("table tronquée : 5 membres annoncés dans 8 octets"),
            std::string::npos);
  EXPECT_NE(Refusal({"list", payload("abc")}).find("archive tronquée : 3 octets"), std::string::npos);
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
