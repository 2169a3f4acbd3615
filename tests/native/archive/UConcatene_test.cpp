// Expansion of the payload into member files: names, order, progress texts,
// the refused interruption, the temporary file, and failures that leave the
// disk as described (and unsafe archives that leave it untouched).
#include <gtest/gtest.h>
#include <zlib.h>

#include <string>
#include <vector>

#include "archive/UConcatene.h"
#include "common/Errors.h"
#include "support/ManualClock.h"
#include "support/MemoryFileSystem.h"
#include "support/RecordingProgressWindow.h"
#include "support/ScriptedMessageBox.h"

namespace {

using Op = MemoryFileSystem::Op;

const std::string ReadPastEnd = "EInOutError: Lecture au-delà de la fin de fichier";

struct Member {
  std::string Name, Data;
};

std::string Le32(uint32_t v) {
  return {static_cast<char>(v), static_cast<char>(v >> 8), static_cast<char>(v >> 16), static_cast<char>(v >> 24)};
}

// An archive with name fields of l bytes whose unused bytes hold fill.
std::string Archive(const std::vector<Member>& ms, int l, char fill = 0) {
  std::string a = Le32(static_cast<uint32_t>(ms.size())) + static_cast<char>(l);
  for (const Member& m : ms) {
    std::string field(l, fill);
    field[0] = static_cast<char>(m.Name.size());
    field.replace(1, m.Name.size(), m.Name);
    a += field.substr(0, l) + Le32(static_cast<uint32_t>(m.Data.size()));
  }
  for (const Member& m : ms) a += m.Data;
  return a;
}

std::string Payload(const std::string& archive) {
  uLongf n = compressBound(archive.size());
  std::string z(n, '\0');
  compress2(reinterpret_cast<Bytef*>(z.data()), &n, reinterpret_cast<const Bytef*>(archive.data()), archive.size(), 1);
  z.resize(n);
  return Le32(static_cast<uint32_t>(archive.size())) + z;
}

class UConcatene : public ::testing::Test {
protected:
  MemoryFileSystem fs;
  ManualClock clock;
  ScriptedMessageBox box;
  ProgressRecorder rec;
  ArchiveServices s{fs, clock, box, rec.Factory()};

  const std::string dir = "C:\\Brannoch";
  const std::string payload = dir + "\\Brannoch.FCC";

  void Put(const std::vector<Member>& ms, int l = 20) { fs.AddFile(payload, Payload(Archive(ms, l))); }
  void Expand() { ExtraitArchive(s, ShortString(payload)); }
  // The files of the payload folder other than the payload and the temporary archive.
  std::vector<std::string> Written() {
    std::vector<std::string> r;
    for (const std::string& n : fs.List(dir))
      if (n != "Brannoch.FCC" && n != "Brannoch.CTN") r.push_back(n);
    return r;
  }
  // "Class: message" of what f raises, or "nothing raised".
  static std::string Raised(const std::function<void()>& f) {
    try {
      f();
    } catch (const Exception& e) {
      return std::string(e.ClassName()) + ": " + e.Message();
    }
    return "nothing raised";
  }
  void ExpectClosedDown() {
    EXPECT_EQ(rec.Alive, 0);
    EXPECT_EQ(fs.OpenHandles(), 0);
    if (rec.Created > 0) {
      ASSERT_GE(rec.Events.size(), 2u);
      EXPECT_EQ(rec.Events[rec.Events.size() - 2], "Hide");
      EXPECT_EQ(rec.Events.back(), "Free");
    }
  }
};

TEST_F(UConcatene, ExpandsEveryMemberBesideThePayloadAndDeletesTheTemporaryFile) {
  Put({{"brannoch.exe", "MZ program"}, {"Fiche client.frm", "form"}, {"Liste d'achats.lst", "list"}});
  Expand();
  EXPECT_EQ(fs.Contents(dir + "\\brannoch.exe"), "MZ program");
  EXPECT_EQ(fs.Contents(dir + "\\Fiche client.frm"), "form");
  EXPECT_EQ(fs.Contents(dir + "\\Liste d'achats.lst"), "list");
  EXPECT_TRUE(fs.IsFile(payload));
  EXPECT_EQ(fs.List(dir).size(), 4u);
  auto deleted = fs.CallsOf(Op::DeleteFile);
  ASSERT_EQ(deleted.size(), 1u);
  EXPECT_EQ(deleted[0].Path, dir + "\\Brannoch.CTN");

  const std::string archive = dir + "\\Brannoch.CTN";
  std::vector<std::string> head(rec.Events.begin(), rec.Events.begin() + 6);
  EXPECT_EQ(head, (std::vector<std::string>{"Caption Déconcaténation de " + archive,
                                            "Label1 Extraction des fichiers de l'archive " + archive, "Label6 ",
                                            "Label2 Réalisé", "Position 0", "Show"}));
  EXPECT_EQ(rec.Texts("Label6 "),
            (std::vector<std::string>{"", "Extraction de brannoch.exe", "Extraction de Fiche client.frm",
                                      "Extraction de Liste d'achats.lst"}));
  EXPECT_EQ(rec.Positions(), (std::vector<int>{0, 33, 67, 100}));
  std::vector<std::string> tail(rec.Events.end() - 3, rec.Events.end());
  EXPECT_EQ(tail, (std::vector<std::string>{"Label2 Réalisé", "Hide", "Free"}));
  EXPECT_TRUE(box.Calls.empty());
  ExpectClosedDown();
}

TEST_F(UConcatene, PercentagesRoundHalvesToEven) {
  std::vector<Member> ms;
  for (int i = 0; i < 8; ++i) ms.push_back({"m" + std::to_string(i), "x"});
  Put(ms);
  Expand();
  EXPECT_EQ(rec.Positions(), (std::vector<int>{0, 12, 25, 38, 50, 62, 75, 88, 100}));
}

TEST_F(UConcatene, EmptyArchiveShowsAndHidesTheWindow) {
  Put({}, 0);
  Expand();
  EXPECT_TRUE(Written().empty());
  EXPECT_EQ(rec.Created, 1);
  EXPECT_EQ(rec.Positions(), std::vector<int>{0});
  ExpectClosedDown();
}

TEST_F(UConcatene, EmptyMembersReplacedFilesAndDuplicates) {
  fs.AddFile(dir + "\\Vieux.txt", "old contents");
  Put({{"Vide.dat", ""}, {"vieux.TXT", "new"}, {"Double.lst", "first"}, {"DOUBLE.LST", "second"}});
  Expand();
  EXPECT_EQ(fs.Contents(dir + "\\Vide.dat"), "");
  EXPECT_EQ(fs.Contents(dir + "\\Vieux.txt"), "new");
  EXPECT_EQ(fs.Contents(dir + "\\Double.lst"), "second");
}

TEST_F(UConcatene, UnusedNameBytesDoNotMatter) {
  fs.AddFile(payload, Payload(Archive({{"a.txt", "1"}, {"b.txt", "2"}}, 42, '\xA7')));
  Expand();
  EXPECT_EQ(Written(), (std::vector<std::string>{"a.txt", "b.txt"}));
}

TEST_F(UConcatene, TemporaryExtensionFollowsThePayloadExtension) {
  struct Case {
    std::string name, temporary;
  } cases[] = {{"P.ctn", "P.TMP"}, {"P.Ctn", "P.TMP"}, {"P.CTNX", "P.TMP"},
               {"P.FCC", "P.CTN"}, {"P", "P.CTN"},     {"a.b\\P", "a.b\\P.CTN"}};
  for (const Case& c : cases) {
    fs.ClearCalls();
    fs.AddFile(dir + "\\" + c.name, Payload(Archive({{"m", "x"}}, 4)));
    ExtraitArchive(s, ShortString(dir + "\\" + c.name));
    auto deleted = fs.CallsOf(Op::DeleteFile);
    ASSERT_EQ(deleted.size(), 1u) << c.name;
    EXPECT_EQ(deleted[0].Path, dir + "\\" + c.temporary);
    EXPECT_FALSE(fs.IsFile(dir + "\\" + c.temporary));
    EXPECT_TRUE(fs.IsFile(dir + "\\" + c.name));
  }
}

TEST_F(UConcatene, BareFileNameIsTakenFromTheCurrentFolder) {
  fs.AddFolder("D:\\Appli");
  ASSERT_EQ(fs.SetCurrentDirectory("D:\\Appli"), 0u);
  fs.AddFile("D:\\Appli\\Brannoch.FCC", Payload(Archive({{"Fiche.frm", "f"}}, 10)));
  ExtraitArchive(s, ShortString("Brannoch.FCC"));
  EXPECT_EQ(fs.Contents("D:\\Appli\\Fiche.frm"), "f");
  EXPECT_EQ(rec.Texts("Caption "), std::vector<std::string>{"Déconcaténation de D:\\Appli\\Brannoch.CTN"});
}

TEST_F(UConcatene, InterruptionIsRefusedAfterTheMemberBeingWritten) {
  Put({{"1", "a"}, {"2", "b"}, {"3", "c"}, {"4", "d"}});
  rec.OnSetPosition = [](RecordingProgressWindow& w, int p) {
    if (p == 50) w.Press();
  };
  box.OnShow = [&](const ScriptedMessageBox::Shown&) {
    EXPECT_EQ(fs.Contents(dir + "\\2"), "b");
    EXPECT_FALSE(fs.IsFile(dir + "\\3"));
  };
  Expand();
  ASSERT_EQ(box.Calls.size(), 1u);
  EXPECT_EQ(box.Calls[0].Titre, "Interruption Interdite");
  EXPECT_EQ(box.Calls[0].Message,
            "<BLOCKQUOTE><FONT COLOR=#FF0000><B>L'Interruption est Interdite</FONT></BLOCKQUOTE><P>"
            "<FONT COLOR=#FF SIZE=12>Le traitement va être maintenu</FONT>");
  EXPECT_EQ(box.Calls[0].Boutons, "Ok");
  EXPECT_EQ(box.Calls[0].Couleur, 0u);
  EXPECT_EQ(Written().size(), 4u);
}

TEST_F(UConcatene, InterruptionDuringTheLastMemberIsNeverReported) {
  Put({{"1", "a"}, {"2", "b"}});
  rec.OnSetPosition = [](RecordingProgressWindow& w, int p) {
    if (p == 100) w.Press();
  };
  Expand();
  EXPECT_TRUE(box.Calls.empty());
}

TEST_F(UConcatene, ArchiveCutInsideAMemberKeepsWhatWasWritten) {
  std::string a = Archive({{"1", "aaaa"}, {"2", "bbbb"}, {"3", "cccc"}, {"4", "dddd"}}, 8);
  fs.AddFile(payload, Payload(a.substr(0, a.size() - 6)));
  EXPECT_EQ(Raised([&] { Expand(); }),
            ReadPastEnd + " : l'archive \"" + dir + "\\Brannoch.CTN\" s'arrête dans le membre \"3\"");
  EXPECT_EQ(fs.Contents(dir + "\\1"), "aaaa");
  EXPECT_EQ(fs.Contents(dir + "\\2"), "bbbb");
  EXPECT_EQ(fs.Contents(dir + "\\3"), "");
  EXPECT_FALSE(fs.IsFile(dir + "\\4"));
  EXPECT_TRUE(fs.IsFile(dir + "\\Brannoch.CTN"));
  ExpectClosedDown();
}

TEST_F(UConcatene, UnsafeNamesRefuseTheWholeArchive) {
  const std::string names[] = {"",
                               ".",
                               "..",
                               "..\\evil.exe",
                               "a/b",
                               "C:x",
                               "a*",
                               "a?",
                               "\"q\"",
                               "<a>",
                               "a|b",
                               std::string("a\x1f", 2),
                               std::string("a\0b", 3),
                               "trail.",
                               "trail ",
                               "CON",
                               "con.txt",
                               "Nul",
                               "COM1.dat",
                               "lpt9",
                               "AUX .ini",
                               "prn.a.b",
                               "COM\xB9"};
  for (const std::string& bad : names) {
    MemoryFileSystem fresh;
    ProgressRecorder r;
    ArchiveServices t{fresh, clock, box, r.Factory()};
    fresh.AddFile(payload, Payload(Archive({{"sain.txt", "ok"}, {bad, "x"}}, 12)));
    try {
      ExtraitArchive(t, ShortString(payload));
      ADD_FAILURE() << "accepted: " << bad;
    } catch (const EArchiveError& e) {
      EXPECT_NE(e.Message().find("Brannoch.CTN"), std::string::npos) << e.Message();
    }
    EXPECT_FALSE(fresh.IsFile(dir + "\\sain.txt")) << bad;
    EXPECT_EQ(r.Created, 0) << bad;
    EXPECT_EQ(fresh.OpenHandles(), 0);
  }
}

TEST_F(UConcatene, PlainNamesThatLookUnusualAreAccepted) {
  Put({{"CONSOLE.txt", "1"}, {"COM10", "2"}, {"lpt.txt", "3"}, {"Fiche d'éleve.frm", "4"}, {".profil", "5"}}, 30);
  Expand();
  EXPECT_EQ(Written().size(), 5u);
}

TEST_F(UConcatene, DamagedCountsAndSizesAreCheckedAgainstTheFile) {
  // A count whose table would take gigabytes: a short read, not a reservation.
  std::string a = Archive({{"a", "x"}}, 4);
  a.replace(0, 4, Le32(0x7FFFFFFF));
  fs.AddFile(payload, Payload(a));
  EXPECT_EQ(Raised([&] { Expand(); }),
            ReadPastEnd + " : table de 2147483647 membres dans l'archive \"" + dir + "\\Brannoch.CTN\" de 14 octets");

  a.replace(0, 4, Le32(0x80000000));
  fs.AddFile(payload, Payload(a));
  EXPECT_EQ(Raised([&] { Expand(); }), std::string("ERangeError: ") + SRangeError);

  a = Archive({{"a", "x"}, {"b", "y"}}, 4);
  a.replace(5 + 8 + 4, 4, Le32(0x7FFFFFF0));
  fs.AddFile(payload, Payload(a));
  EXPECT_EQ(Raised([&] { Expand(); }),
            ReadPastEnd + " : l'archive \"" + dir + "\\Brannoch.CTN\" s'arrête dans le membre \"b\"");
  EXPECT_EQ(fs.Contents(dir + "\\a"), "x");
  EXPECT_EQ(fs.Contents(dir + "\\b"), "");

  a.replace(5 + 8 + 4, 4, Le32(0x80000000));
  fs.AddFile(payload, Payload(a));
  fs.DeleteFile(dir + "\\a");
  EXPECT_EQ(Raised([&] { Expand(); }).rfind("EArchiveError: Taille de membre incorrecte", 0), 0u);
  EXPECT_FALSE(fs.IsFile(dir + "\\a"));
  ExpectClosedDown();
}

TEST_F(UConcatene, DataAfterTheLastMemberRefuseTheArchiveBeforeAnythingIsWritten) {
  const std::string archive = dir + "\\Brannoch.CTN";
  std::string whole = Archive({{"a", "xx"}, {"b", "yy"}, {"c", "zz"}}, 4);
  std::string fewer = whole;
  fewer.replace(0, 4, Le32(2));  // the third entry is taken for data
  struct Case {
    std::string archive, raised;
  } cases[] = {
      {whole + "!!!",
       "EArchiveError: Données en trop dans l'archive \"" + archive + "\" : 3 octets après le dernier membre"},
      {fewer, "EArchiveError: Données en trop dans l'archive \"" + archive + "\" : 10 octets après le dernier membre"},
  };
  for (const Case& c : cases) {
    fs.AddFile(payload, Payload(c.archive));
    EXPECT_EQ(Raised([&] { Expand(); }), c.raised);
    EXPECT_TRUE(Written().empty());
    EXPECT_EQ(rec.Created, 0);
    ExpectClosedDown();
  }
}

TEST_F(UConcatene, AMemberNamedLikeTheTemporaryFileIsRefusedBeforeAnythingIsWritten) {
  // Compared as the file system compares names: é is É, but not E.
  const std::string p = dir + "\\Données.fcc";
  for (const char* name : {"données.CTN", "DONNÉES.ctn"}) {
    fs.AddFile(p, Payload(Archive({{"a.txt", "x"}, {name, "archive"}}, 16)));
    fs.ClearCalls();
    try {
      ExtraitArchive(s, ShortString(p));
      ADD_FAILURE() << "accepted: " << name;
    } catch (const EArchiveError& e) {
      EXPECT_EQ(e.Message(), "Nom de membre interdit dans l'archive \"" + dir + "\\Données.CTN\" : membre 2, \"" +
                                 name + "\" (nom du fichier temporaire)");
    }
    EXPECT_FALSE(fs.IsFile(dir + "\\a.txt"));
    EXPECT_EQ(rec.Created, 0);
  }
  fs.AddFile(p, Payload(Archive({{"DONNEES.CTN", "autre fichier"}}, 16)));
  ExtraitArchive(s, ShortString(p));
  EXPECT_EQ(fs.Contents(dir + "\\DONNEES.CTN"), "autre fichier");
  EXPECT_FALSE(fs.IsFile(dir + "\\Données.CTN"));
}

TEST_F(UConcatene, LinksUnderMembersAndTheTemporaryFileAreReplaced) {
  const std::string target = "D:\\Dehors\\cible.txt";
  fs.AddFile(target, "intact");
  fs.AddFolder(dir);
  fs.AddHardLink(dir + "\\dur.txt", target);
  fs.AddSymbolicLink(dir + "\\symbolique.txt", target);
  fs.AddSymbolicLink(dir + "\\Brannoch.CTN", target);
  Put({{"dur.txt", "premier"}, {"SYMBOLIQUE.TXT", "second"}});
  Expand();
  EXPECT_EQ(fs.Contents(target), "intact");
  EXPECT_EQ(fs.Contents(dir + "\\dur.txt"), "premier");
  EXPECT_EQ(fs.Contents(dir + "\\symbolique.txt"), "second");
  EXPECT_FALSE(fs.IsLink(dir + "\\symbolique.txt"));
  EXPECT_FALSE(fs.IsFile(dir + "\\Brannoch.CTN"));
  EXPECT_FALSE(fs.IsLink(dir + "\\Brannoch.CTN"));
}

TEST_F(UConcatene, ControlBytesOfANameAreShownEscaped) {
  Put({{std::string("a\x1B[2J.txt"), "x"}});
  EXPECT_EQ(Raised([&] { Expand(); }), "EArchiveError: Nom de membre interdit dans l'archive \"" + dir +
                                           "\\Brannoch.CTN\" : membre 1, \"a\\x1B[2J.txt\" (caractère interdit)");
}

TEST_F(UConcatene, MissingPayloadWaitsASecondThenFailsToOpen) {
  clock.Step = ManualClock::Millisecond;
  fs.AddFolder(dir);
  EXPECT_EQ(Raised([&] { Expand(); }),
            "EFOpenError: Impossible d'ouvrir le fichier \"" + payload + "\". Le fichier spécifié est introuvable.");
  EXPECT_GE(clock.Time, 1000 * ManualClock::Millisecond);
  EXPECT_LT(clock.Time, 1010 * ManualClock::Millisecond);
}

TEST_F(UConcatene, DamagedPayloadWritesNothing) {
  std::string p = Payload(Archive({{"a", "x"}}, 4));
  p.back() ^= 0x55;
  fs.AddFile(payload, p);
  EXPECT_EQ(Raised([&] { Expand(); }),
            "ECompressionError: Error in compression routine: -3 (somme de contrôle "
            "Adler-32 incorrecte) : \"" +
                payload + "\"");
  EXPECT_TRUE(Written().empty());
  EXPECT_EQ(fs.OpenHandles(), 0);
}

TEST_F(UConcatene, TemporaryFileThatCannotBeCreated) {
  Put({{"a", "x"}});
  fs.AddFault({Op::Open, dir + "\\Brannoch.CTN", platform::ErrorAccessDenied});
  EXPECT_EQ(Raised([&] { Expand(); }),
            "EFCreateError: "
            "Impossible de créer le fichier \"" +
                dir + "\\Brannoch.CTN\". Accès refusé.");
}

TEST_F(UConcatene, MemberThatCannotBeCreatedIsAnAccessError) {
  Put({{"a", "xxxx"}, {"b", "yyyy"}});
  fs.AddFile(dir + "\\b", "locked");
  fs.SetReadOnly(dir + "\\b", true);
  EXPECT_EQ(Raised([&] { Expand(); }), "EInOutError: Accès au fichier refusé : \"" + dir + "\\b\"");
  EXPECT_EQ(fs.Contents(dir + "\\a"), "xxxx");
  EXPECT_EQ(fs.Contents(dir + "\\b"), "locked");
  ExpectClosedDown();
}

TEST_F(UConcatene, ShortWriteIsDiskFull) {
  Put({{"a", "xxxx"}, {"b", "yyyy"}});
  fs.AddFault({Op::Write, dir + "\\b", 0, 2});
  EXPECT_EQ(Raised([&] { Expand(); }), "EInOutError: Disque plein : \"" + dir + "\\b\"");
  EXPECT_EQ(fs.Contents(dir + "\\b"), "yy");
  ExpectClosedDown();
}

TEST_F(UConcatene, SystemErrorOnWriteGivesItsCode) {
  std::vector<Member> ms = {{"a", "xxxx"}, {"b", "yyyy"}};
  Put(ms);
  fs.SetFreeSpace(Archive(ms, 20).size() + 4 + 2, MemoryFileSystem::DiskFull::Error);
  EXPECT_EQ(Raised([&] { Expand(); }),
            "EInOutError: Erreur E/S 112 : \"" + dir + "\\b\" (Espace insuffisant sur le disque)");
  EXPECT_EQ(fs.Contents(dir + "\\a"), "xxxx");
  EXPECT_EQ(fs.Contents(dir + "\\b"), "");
  ExpectClosedDown();
}

// --- Expansion in pieces: nothing is held whole, what is written is unchanged.

std::string Noise(std::size_t n, unsigned seed) {
  std::string s(n, '\0');
  uint32_t x = seed * 2654435761u + 1;
  for (char& c : s) {
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    c = static_cast<char>(x);
  }
  return s;
}

// The sizes of the writes made on one file, from the call log.
std::size_t WritesOn(const MemoryFileSystem& fs, const std::string& path) {
  std::size_t n = 0;
  for (const MemoryFileSystem::Call& c : fs.CallsOf(Op::Write)) n += c.Path == path;
  return n;
}

TEST_F(UConcatene, MembersAreCopiedInPiecesAtTheirEdges) {
  const std::size_t piece = MorceauDeCopie;
  // One member ending exactly on a piece boundary, one larger than the
  // buffer and ending inside a piece, and small ones around them.
  std::vector<Member> ms = {{"petit", "abc"},
                            {"juste.bin", Noise(piece, 1)},
                            {"grand.bin", Noise(2 * piece + 7, 2)},
                            {"vide", ""},
                            {"fin", "z"}};
  Put(ms);
  Expand();
  for (const Member& m : ms) EXPECT_EQ(fs.Contents(dir + "\\" + m.Name), m.Data) << m.Name;
  EXPECT_EQ(WritesOn(fs, dir + "\\petit"), 1u);
  EXPECT_EQ(WritesOn(fs, dir + "\\juste.bin"), 1u);
  EXPECT_EQ(WritesOn(fs, dir + "\\grand.bin"), 3u);
  EXPECT_EQ(WritesOn(fs, dir + "\\vide"), 0u);
  EXPECT_EQ(rec.Positions(), (std::vector<int>{0, 20, 40, 60, 80, 100}));
  EXPECT_FALSE(fs.IsFile(dir + "\\Brannoch.CTN"));
  ExpectClosedDown();
}

TEST_F(UConcatene, ArchiveCutInsideALargeMemberLeavesItEmpty) {
  std::string a = Archive({{"1", "aaaa"}, {"2", Noise(MorceauDeCopie + 10, 3)}}, 8);
  fs.AddFile(payload, Payload(a.substr(0, a.size() - 1)));
  EXPECT_EQ(Raised([&] { Expand(); }),
            ReadPastEnd + " : l'archive \"" + dir + "\\Brannoch.CTN\" s'arrête dans le membre \"2\"");
  EXPECT_EQ(fs.Contents(dir + "\\1"), "aaaa");
  EXPECT_EQ(fs.Contents(dir + "\\2"), "");
  EXPECT_TRUE(fs.IsFile(dir + "\\Brannoch.CTN"));
  ExpectClosedDown();
}

TEST_F(UConcatene, PayloadStaysWriteProtectedWhileItIsInflated) {
  Put({{"a.bin", Noise(3 * 256 * 1024, 4)}});
  int tried = 0;
  fs.BeforeCall = [&](Op op, const std::string& path) {
    if (op != Op::Write || path != dir + "\\Brannoch.CTN") return;
    ++tried;
    uint32_t e = 0;
    EXPECT_EQ(fs.Open(payload, platform::Access::Write, platform::Share::ReadWrite, platform::Disposition::OpenExisting,
                      &e),
              nullptr);
    EXPECT_EQ(e, platform::ErrorSharingViolation);
  };
  Expand();
  EXPECT_EQ(tried, 4);  // three whole buffers and what is left
}

TEST_F(UConcatene, StreamFailureAfterTheTemporaryFileWasStartedLeavesNothing) {
  const std::string temporary = dir + "\\Brannoch.CTN";
  std::string whole = Payload(Archive({{"a.bin", Noise(3 * 256 * 1024, 5)}}, 8));
  struct Case {
    std::string payload, raised;
  } cases[] = {
      // Cut short after some pieces were written, and a trailer that does not
      // match what was written in full.
      {whole.substr(0, whole.size() / 2),
       "ECompressionError: Error in compression routine: -5 (flux coupé avant sa fin, après 393223 octets étendus) : \"" +
           payload + "\""},
      {whole.substr(0, whole.size() - 1) + static_cast<char>(whole.back() ^ 1),
       "ECompressionError: Error in compression routine: -3 (somme de contrôle Adler-32 incorrecte) : \"" + payload +
           "\""},
  };
  for (const Case& c : cases) {
    fs.ClearCalls();
    fs.AddFile(payload, c.payload);
    EXPECT_EQ(Raised([&] { Expand(); }), c.raised);
    EXPECT_GE(WritesOn(fs, temporary), 1u);
    EXPECT_FALSE(fs.IsFile(temporary));
    EXPECT_TRUE(Written().empty());
    EXPECT_EQ(fs.Contents(payload), c.payload);
    EXPECT_EQ(rec.Created, 0);
    ExpectClosedDown();
  }
}

TEST_F(UConcatene, TemporaryFileThatCannotBeWrittenIsDeleted) {
  const std::string temporary = dir + "\\Brannoch.CTN";
  Put({{"a.bin", Noise(3 * 256 * 1024, 6)}});
  fs.SetFreeSpace(256 * 1024 + 10, MemoryFileSystem::DiskFull::Error);
  EXPECT_EQ(Raised([&] { Expand(); }),
            "EInOutError: Erreur E/S 112 : \"" + temporary + "\" (Espace insuffisant sur le disque)");
  EXPECT_FALSE(fs.IsFile(temporary));

  fs.SetFreeSpace(256 * 1024 + 10, MemoryFileSystem::DiskFull::ShortWrite);
  EXPECT_EQ(Raised([&] { Expand(); }), "EInOutError: Disque plein : \"" + temporary + "\"");
  EXPECT_FALSE(fs.IsFile(temporary));

  // A failure to close it counts as well.
  fs.SetFreeSpace(std::nullopt);
  fs.AddFault({Op::Close, temporary, 23});
  EXPECT_EQ(Raised([&] { Expand(); }), "EInOutError: Erreur E/S 23 : \"" + temporary + "\" (Erreur système 23)");
  EXPECT_FALSE(fs.IsFile(temporary));
  EXPECT_TRUE(Written().empty());
  ExpectClosedDown();
}

}  // namespace
