// The installation and update sequence: which question, which mode, what is
// written where, in which order, and what a failure leaves behind.
#include <gtest/gtest.h>

#include <map>

#include "common/Errors.h"
#include "installer/Install.h"
#include "installer/UAttente.h"
#include "support/MemoryFileSystem.h"
#include "support/ScriptedMessageBox.h"

using namespace installer;
using Op = MemoryFileSystem::Op;

namespace {

const std::string Payload = "compressed payload bytes";

// The boxes' titles and texts as the user must read them, written out here
// rather than taken from the installer, so that a slip in a message fails.
namespace attendu {
const std::string TitreMiseAJourQuestion = "Mise à jour de Brannoch.exe © corvanel";
const std::string TitreMiseAJour = "Mise à jour Brannoch.exe © corvanel";
const std::string TitreInstallation = "Installation de Brannoch.exe © corvanel";
const std::string TitrePolice = "C:\\Brannoch\\Starmath.ttf";
const std::string Version = "(<I>Version du Vendredi 17/ 4/2009 18h38</I>)";
const std::string QuestionMiseAJour =
    "Mise à jour de <B>Brannoch.exe © corvanel</B>.<P>Cette mise à jour va créer le répertoire "
    "\"<B>C:\\Brannoch\\MAJ</B>\"<P>puis remplacer l'ancien <B>Brannoch.exe</B> par le nouveau.<P><P>L'ancien "
    "sera d'abord renomé \"<B>ex_Brannoch.exe</B>\".<P><P><FONT COLOR=#FF SIZE=15>Voulez-vous lancer la <U>mise "
    "à jour</U> de <B>Brannoch.exe</B> ?</FONT><P><P>" +
    Version;
const std::string QuestionInstallation =
    "Installation de <B>Brannoch.exe © corvanel</B>.<P>Cette installation va créer le répertoire "
    "\"<B>C:\\Brannoch</B>\" et y copier tous les fichiers nécessaires à <B>Brannoch.exe</B>.<P><P>Rien d'autre ne "
    "sera copié ailleurs, à l'exception du raccourci sur le bureau.<P><P><FONT COLOR=#FF SIZE=15>Voulez-vous "
    "lancer l'<U>installation</U> de <B>Brannoch.exe</B> ?</FONT><P><P>" +
    Version;
const std::string PoliceNonCopiee =
    "La police C:\\Brannoch\\Starmath.ttf n'a pas pu être copiée<P><P>Vous devrez le faire \"à la main\"<P><P>"
    "<I>Cela n'empêchera pas le logiciel de fonctionner</I>";
const std::string SauvegardeEchouee =
    "Mise à jour <B>Brannoch.exe © corvanel</B>La mise à jour de <B>Brannoch.exe © corvanel</B> a échoué<P><P>La "
    "copie de sauvegarde à échoué pour une raison inconnue <P>Téléphonez au 04 72 00 00 00";
const std::string MiseAJourTerminee =
    "La mise à jour de <B>Brannoch.exe © corvanel</B> est terminée<P><P><FONT COLOR=#FF SIZE=15>Voulez-vous "
    "lancer <B>Brannoch.exe</B> tout de suite ?</FONT><P><P>" +
    Version;
const std::string RemplacementEchoue =
    "La mise à jour de <B>Brannoch.exe © corvanel</B> a échoué\r\rLa copie à échoué pour une raison inconnue "
    "\rTéléphonez au 04 72 00 00 00";
const std::string InstallationTerminee =
    "L'installation de <B>Brannoch.exe © corvanel</B> est terminée<P><P>Cette installation a créé un raccourci "
    "sur le bureau qui vous permetra de le lancer.<P><P><FONT COLOR=#FF SIZE=15>Voulez-vous lancer "
    "<B>Brannoch.exe</B> tout de suite ?</FONT><P><P>" +
    Version;
}  // namespace attendu

class FakeResources : public platform::Resources {
public:
  std::map<std::string, std::string> Modules;  // module name -> FCC/1 bytes
  std::optional<std::span<const uint8_t>> Find(const std::string& module, const std::string& type, int id) override {
    auto it = Modules.find(module);
    if (it == Modules.end() || type != "FCC" || id != 1) return std::nullopt;
    return std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(it->second.data()), it->second.size());
  }
};

class RecordingShell : public platform::Shell {
public:
  explicit RecordingShell(std::vector<std::string>& log, MemoryFileSystem& fs) : log_(log), fs_(fs) {}
  void Execute(const std::string& file, const std::string& parameters, const std::string& folder) override {
    log_.push_back("execute " + file + " [" + parameters + "] in " + folder + " from " + fs_.GetCurrentDirectory());
  }

private:
  std::vector<std::string>& log_;
  MemoryFileSystem& fs_;
};

// Runs the sequence on an in-memory machine; the expansion is replaced by one
// that writes the new program and the font beside the payload.
struct Machine : ::testing::Test {
  MemoryFileSystem fs;
  FakeResources resources;
  ScriptedMessageBox box;
  std::vector<std::string> log;
  RecordingShell shell{log, fs};
  std::string newProgram = "new program";
  std::vector<std::string> shortcutArgs;
  bool withManual = false;

  InstallServices services{
      fs,
      resources,
      shell,
      box,
      [this] { log.push_back("wait"); },
      [this](const ShortString& path) {
        log.push_back("extract " + path.str());
        std::string folder = path.str().substr(0, path.str().rfind('\\'));
        if (!fs.FileExists(path.str())) throw EInOutError(2);
        fs.AddFile(folder + "\\brannoch.exe", newProgram);
        fs.AddFile(folder + "\\StarMath.ttf", "font");
        if (withManual) fs.AddFile(folder + "\\Brannoch.PDF", "manual");
      },
      [this](const std::string& name, const std::string& target, const std::string& dir, const std::string& desc,
             const std::string& args, const std::string& icon, uint16_t index, char key) {
        log.push_back("shortcut");
        shortcutArgs = {name, target, dir, desc, args, icon, std::to_string(index), std::string(1, key)};
      },
      "Z:\\Telechargements\\INSTALL.EXE",
      ""};

  Machine() {
    fs.AddDrive('Z');
    fs.AddFolder("C:\\Windows\\Fonts");
    fs.AddFile("Z:\\Telechargements\\INSTALL.EXE", "installer image");
    resources.Modules["INSTALL.EXE"] = Payload;
    fs.SetNow(42);
    box.OnShow = [this](const ScriptedMessageBox::Shown& b) { log.push_back("box " + b.Titre); };
  }

  int Run(std::deque<int> answers = {}) {
    box.Answers = std::move(answers);
    return RunInstaller(services);
  }

  std::vector<std::string> Titles() const {
    std::vector<std::string> t;
    for (auto& c : box.Calls) t.push_back(c.Titre);
    return t;
  }

  void InstallOldVersion() {
    fs.AddFile("C:\\Brannoch\\Brannoch.EXE", "old program");
    fs.AddFile("C:\\Brannoch\\StarMath.ttf", "font");
  }
};

// 2009-04-17 16:38:08.7977881 UTC.
constexpr platform::FileTime BuildTime = 128844598887977881u;
const MemoryFileSystem::Times Stamped{BuildTime, BuildTime, BuildTime};

TEST_F(Machine, FirstInstallationWritesExpandsStampsAndLaunches) {
  services.Argument = "/quiet";
  ASSERT_EQ(Run({1, 1}), 0);

  EXPECT_EQ(Titles(), (std::vector<std::string>{attendu::TitreInstallation, attendu::TitreInstallation}));
  EXPECT_EQ(box.Calls[0].Message, attendu::QuestionInstallation);
  EXPECT_EQ(box.Calls[0].Boutons, "Oui#13Non");
  EXPECT_EQ(box.Calls[1].Message, attendu::InstallationTerminee);
  for (auto& c : box.Calls) EXPECT_EQ(c.Couleur, 0u);

  EXPECT_EQ(fs.Contents("C:\\Brannoch\\Brannoch.FCC"), Payload);
  EXPECT_EQ(fs.Contents("c:\\brannoch\\install.exe"), "installer image");
  EXPECT_EQ(fs.Contents("C:\\Windows\\fonts\\Starmath.ttf"), "font");
  EXPECT_EQ(fs.TimesOf("C:\\Brannoch\\Brannoch.EXE"), Stamped);
  EXPECT_FALSE(fs.IsFolder("C:\\Brannoch\\MAJ"));
  EXPECT_EQ(shortcutArgs, (std::vector<std::string>{"Brannoch © Corvanel", "c:\\Brannoch\\Brannoch.EXE", "",
                                                    "Brannoch est une application réalisée avec Plinthar © Corvanel",
                                                    "", "", "0", std::string(1, '\0')}));
  // No wait in an installation; the argument holds no ":" yet reaches the program.
  EXPECT_EQ(log, (std::vector<std::string>{"box " + attendu::TitreInstallation, "extract C:\\Brannoch\\Brannoch.FCC",
                                           "shortcut", "box " + attendu::TitreInstallation,
                                           "execute c:\\Brannoch\\Brannoch.EXE [/quiet] in c:\\Brannoch from "
                                           "C:\\Brannoch"}));
  EXPECT_EQ(fs.OpenHandles(), 0);
}

TEST_F(Machine, TheManualOpensBeforeTheClosingQuestion) {
  withManual = true;
  ASSERT_EQ(Run({1, 2}), 0);
  ASSERT_EQ(log.size(), 5u);
  EXPECT_EQ(log[3], "execute c:\\Brannoch\\Brannoch.PDF [] in c:\\Brannoch from C:\\");
  EXPECT_EQ(log[4], "box " + attendu::TitreInstallation);
}

TEST_F(Machine, DecliningEitherQuestionLeavesNothing) {
  for (int answer : {2, 0}) {
    ASSERT_EQ(Run({answer}), 0);
    EXPECT_FALSE(fs.IsFolder("C:\\Brannoch"));
    EXPECT_EQ(box.Calls.size(), 1u);
    box.Calls.clear();
  }
  InstallOldVersion();
  ASSERT_EQ(Run({2}), 0);
  EXPECT_EQ(Titles(), std::vector<std::string>{attendu::TitreMiseAJourQuestion});
  EXPECT_EQ(box.Calls[0].Message, attendu::QuestionMiseAJour);
  EXPECT_EQ(fs.List("C:\\Brannoch").size(), 2u);
  EXPECT_EQ(fs.CallsOf(Op::CreateDirectory).size(), 0u);
  EXPECT_EQ(fs.CallsOf(Op::Open).size(), 0u);
}

TEST_F(Machine, UpdateGoesThroughMajWaitsBacksUpAndReplaces) {
  InstallOldVersion();
  ASSERT_EQ(Run({1, 1}), 0);

  EXPECT_EQ(Titles(), (std::vector<std::string>{attendu::TitreMiseAJourQuestion, attendu::TitreMiseAJour}));
  EXPECT_EQ(box.Calls[1].Message, attendu::MiseAJourTerminee);
  EXPECT_EQ(fs.Contents("C:\\Brannoch\\MAJ\\Brannoch.FCC"), Payload);
  EXPECT_EQ(fs.Contents("C:\\Brannoch\\ex_Brannoch.EXE"), "old program");
  EXPECT_EQ(fs.Contents("C:\\Brannoch\\Brannoch.EXE"), "new program");
  EXPECT_EQ(fs.TimesOf("C:\\Brannoch\\Brannoch.EXE"), Stamped);
  EXPECT_FALSE(fs.IsFile("C:\\Brannoch\\Brannoch.FCC"));
  // The wait comes after the payload is written and before it is expanded.
  EXPECT_EQ(std::vector<std::string>(log.begin(), log.begin() + 4),
            (std::vector<std::string>{"box " + attendu::TitreMiseAJourQuestion, "wait",
                                      "extract C:\\Brannoch\\MAJ\\Brannoch.FCC", "shortcut"}));
  EXPECT_EQ(log.back(), "execute c:\\Brannoch\\Brannoch.EXE [] in c:\\Brannoch from C:\\Brannoch");
}

TEST_F(Machine, ASecondUpdateReusesMaj) {
  InstallOldVersion();
  fs.AddFile("C:\\Brannoch\\MAJ\\Brannoch.FCC", "older payload");
  newProgram = "newer program";
  ASSERT_EQ(Run({1, 2}), 0);
  EXPECT_EQ(fs.Contents("C:\\Brannoch\\MAJ\\Brannoch.FCC"), Payload);
  EXPECT_EQ(fs.Contents("C:\\Brannoch\\Brannoch.EXE"), "newer program");
  EXPECT_EQ(log.back(), "box " + attendu::TitreMiseAJour);  // declined: no launch
}

TEST_F(Machine, AnUpdateWritesThroughNoLink) {
  // Every name the sequence writes leads out of C:\Brannoch: the payload
  // file, the backup, the copy of the installer, the program, the font.
  for (const char* f : {"charge", "sauvegarde", "copie"}) fs.AddFile(std::string("D:\\Dehors\\") + f, "intact");
  fs.AddFile("D:\\Dehors\\programme", "old program");
  fs.AddFile("C:\\Brannoch\\StarMath.ttf", "font");
  fs.AddFolder("C:\\Brannoch\\MAJ");
  fs.AddSymbolicLink("C:\\Brannoch\\MAJ\\Brannoch.FCC", "D:\\Dehors\\charge");
  fs.AddHardLink("C:\\Brannoch\\ex_Brannoch.EXE", "D:\\Dehors\\sauvegarde");
  fs.AddSymbolicLink("C:\\Brannoch\\install.exe", "D:\\Dehors\\copie");
  fs.AddHardLink("C:\\Brannoch\\Brannoch.EXE", "D:\\Dehors\\programme");
  fs.AddSymbolicLink("C:\\Windows\\Fonts\\Starmath.ttf", "D:\\Dehors\\police.ttf");
  ASSERT_EQ(Run({1, 2}), 0);
  EXPECT_EQ(Titles(), (std::vector<std::string>{attendu::TitreMiseAJourQuestion, attendu::TitreMiseAJour}));
  for (const char* f : {"charge", "sauvegarde", "copie"})
    EXPECT_EQ(fs.Contents(std::string("D:\\Dehors\\") + f), "intact") << f;
  EXPECT_EQ(fs.Contents("D:\\Dehors\\programme"), "old program");
  EXPECT_FALSE(fs.IsFile("D:\\Dehors\\police.ttf"));
  EXPECT_EQ(fs.Contents("C:\\Brannoch\\MAJ\\Brannoch.FCC"), Payload);
  EXPECT_EQ(fs.Contents("C:\\Brannoch\\ex_Brannoch.EXE"), "old program");
  EXPECT_EQ(fs.Contents("C:\\Brannoch\\install.exe"), "installer image");
  EXPECT_EQ(fs.Contents("C:\\Brannoch\\Brannoch.EXE"), "new program");
  EXPECT_EQ(fs.Contents("C:\\Windows\\Fonts\\Starmath.ttf"), "font");
  for (const char* name :
       {"C:\\Brannoch\\MAJ\\Brannoch.FCC", "C:\\Brannoch\\install.exe", "C:\\Windows\\Fonts\\Starmath.ttf"})
    EXPECT_FALSE(fs.IsLink(name)) << name;
}

TEST_F(Machine, FolderWithoutProgramAsksInstallationButRunsAnUpdate) {
  fs.AddFile("C:\\Brannoch\\StarMath.ttf", "font");
  ASSERT_EQ(Run({1, 2}), 0);
  EXPECT_EQ(Titles(), (std::vector<std::string>{attendu::TitreInstallation, attendu::TitreMiseAJour}));
  EXPECT_EQ(log[1], "wait");
  EXPECT_FALSE(fs.IsFile("C:\\Brannoch\\ex_Brannoch.EXE"));
  EXPECT_EQ(fs.Contents("C:\\Brannoch\\Brannoch.EXE"), "new program");
}

TEST_F(Machine, ArgumentWithColonIsThePayloadFolderAndStillTheParameters) {
  fs.AddDrive('D');
  InstallOldVersion();
  services.Argument = "D:\\Appli";
  ASSERT_EQ(Run({1, 1}), 0);
  // The folder did not exist: the update question, then the installation branch.
  EXPECT_EQ(Titles(), (std::vector<std::string>{attendu::TitreMiseAJourQuestion, attendu::TitreInstallation}));
  EXPECT_EQ(fs.Contents("D:\\Appli\\Brannoch.FCC"), Payload);
  EXPECT_EQ(fs.Contents("C:\\Brannoch\\Brannoch.EXE"), "old program");
  EXPECT_EQ(fs.TimesOf("C:\\Brannoch\\Brannoch.EXE"), Stamped);
  EXPECT_EQ(log.back(), "execute c:\\Brannoch\\Brannoch.EXE [D:\\Appli] in c:\\Brannoch from C:\\Brannoch");

  // Run again: D:\Appli exists now, so its MAJ receives the payload.
  box.Calls.clear();
  ASSERT_EQ(Run({1, 2}), 0);
  EXPECT_EQ(fs.Contents("D:\\Appli\\MAJ\\Brannoch.FCC"), Payload);
  EXPECT_EQ(fs.Contents("C:\\Brannoch\\Brannoch.EXE"), "new program");
}

TEST_F(Machine, FontAlreadyPresentIsLeftAlone) {
  fs.AddFile("C:\\Windows\\Fonts\\STARMATH.TTF", "their font");
  ASSERT_EQ(Run({1, 2}), 0);
  EXPECT_EQ(fs.Contents("C:\\Windows\\fonts\\Starmath.ttf"), "their font");
  EXPECT_EQ(box.Calls.size(), 2u);
}

TEST_F(Machine, FailedFontCopyIsReportedAndTheRunGoesOn) {
  fs.AddFault({Op::CopyFile, "C:\\Windows\\fonts\\Starmath.ttf", platform::ErrorAccessDenied});
  ASSERT_EQ(Run({1, 2}), 0);
  EXPECT_EQ(Titles(),
            (std::vector<std::string>{attendu::TitreInstallation, attendu::TitrePolice, attendu::TitreInstallation}));
  EXPECT_EQ(box.Calls[1].Message, attendu::PoliceNonCopiee);
  EXPECT_EQ(box.Calls[1].Boutons, "Ok");
  EXPECT_NE(std::find(log.begin(), log.end(), "shortcut"), log.end());
  EXPECT_EQ(fs.TimesOf("C:\\Brannoch\\Brannoch.EXE"), Stamped);
}

TEST_F(Machine, FailedBackupEndsTheUpdateWithTheProgramUntouched) {
  InstallOldVersion();
  fs.AddFault({Op::CopyFile, "C:\\Brannoch\\ex_Brannoch.EXE", platform::ErrorDiskFull});
  ASSERT_EQ(Run({1}), 0);
  EXPECT_EQ(Titles(), (std::vector<std::string>{attendu::TitreMiseAJourQuestion, attendu::TitreMiseAJour}));
  EXPECT_EQ(box.Calls[1].Message, attendu::SauvegardeEchouee);
  EXPECT_EQ(box.Calls[1].Boutons, "Ok");
  EXPECT_EQ(fs.Contents("C:\\Brannoch\\Brannoch.EXE"), "old program");
  EXPECT_EQ(fs.Contents("C:\\Brannoch\\MAJ\\brannoch.exe"), "new program");
  EXPECT_NE(fs.TimesOf("C:\\Brannoch\\Brannoch.EXE"), Stamped);
}

TEST_F(Machine, FailedReplacementKeepsTheBackup) {
  InstallOldVersion();
  fs.AddFault({Op::CopyFile, "C:\\Brannoch\\MAJ\\Brannoch.EXE", platform::ErrorAccessDenied});
  ASSERT_EQ(Run({1}), 0);
  EXPECT_EQ(box.Calls.back().Message, attendu::RemplacementEchoue);
  EXPECT_EQ(fs.Contents("C:\\Brannoch\\ex_Brannoch.EXE"), "old program");
  EXPECT_EQ(fs.Contents("C:\\Brannoch\\Brannoch.EXE"), "old program");
}

TEST_F(Machine, FailedPayloadWriteRaisesAndNothingLaterRuns) {
  fs.SetFreeSpace(5);
  try {
    Run({1});
    FAIL() << "no error";
  } catch (const EInOutError& e) {
    EXPECT_EQ(e.Message(), "Disque plein");
  }
  EXPECT_EQ(log, std::vector<std::string>{"box " + attendu::TitreInstallation});
  EXPECT_EQ(fs.Contents("C:\\Brannoch\\Brannoch.FCC")->size(), 5u);  // what was written stays
  EXPECT_EQ(fs.OpenHandles(), 0);

  fs.SetFreeSpace(std::nullopt);
  fs.AddFault({Op::Open, "C:\\Brannoch\\MAJ\\Brannoch.FCC", platform::ErrorAccessDenied});
  log.clear();
  EXPECT_THROW(
      {
        try {
          Run({1});
        } catch (const EInOutError& e) {
          EXPECT_EQ(e.Message(), "Accès au fichier refusé");
          throw;
        }
      },
      EInOutError);
  EXPECT_EQ(log.size(), 1u);
}

TEST_F(Machine, AnExpansionErrorStopsTheUpdateBeforeTheBackup) {
  InstallOldVersion();
  services.ExtraitArchive = [](const ShortString&) { throw ECompressionError("Error in compression routine: -3"); };
  EXPECT_THROW(Run({1}), ECompressionError);
  EXPECT_FALSE(fs.IsFile("C:\\Brannoch\\ex_Brannoch.EXE"));
  EXPECT_EQ(box.Calls.size(), 1u);
}

TEST_F(Machine, LaunchNeedsTheInstallationFolder) {
  // The payload goes to D:, so nothing makes C:\Brannoch: the launch cannot
  // change to it and the program is not started.
  fs.AddDrive('D');
  services.Argument = "D:\\Appli";
  try {
    Run({1, 1});
    FAIL() << "no error";
  } catch (const EInOutError& e) {
    EXPECT_EQ(e.ErrorCode(), platform::ErrorFileNotFound);
  }
  for (auto& line : log) EXPECT_EQ(line.find("execute"), std::string::npos) << line;
  // The stamp created nothing where the folder is missing, and the font
  // source was missing: message 3.
  EXPECT_FALSE(fs.IsFile("C:\\Brannoch\\Brannoch.EXE"));
  EXPECT_EQ(Titles()[1], attendu::TitrePolice);
}

TEST_F(Machine, StampingAMissingProgramCreatesNothing) {
  // C:\Brannoch holds no program and the payload goes to a new D:\Appli:
  // the installation branch stamps a program that is not there.
  fs.AddDrive('D');
  fs.AddFolder("C:\\Brannoch");
  services.Argument = "D:\\Appli";
  ASSERT_EQ(Run({1, 1, 2}), 0);
  EXPECT_EQ(Titles(),
            (std::vector<std::string>{attendu::TitreInstallation, attendu::TitrePolice, attendu::TitreInstallation}));
  EXPECT_FALSE(fs.IsFile("C:\\Brannoch\\Brannoch.EXE"));
  int stamps = 0;
  for (auto& c : fs.CallsOf(Op::Open))
    if (c.Path == "C:\\Brannoch\\Brannoch.EXE") {
      ++stamps;
      EXPECT_EQ(c.Result, platform::ErrorFileNotFound);
    }
  EXPECT_EQ(stamps, 1);
}

// The real wait on the in-memory machine: a program that cannot be written
// for another reason than a running copy ends the update with that error,
// before anything is expanded or replaced.
TEST_F(Machine, AReadOnlyProgramEndsTheUpdateWithItsErrorBeforeTheExpansion) {
  struct NoPump : platform::Pump {
    void ProcessMessages() override {}
  } pump;
  struct Window : WaitingWindow {
    void SetCaption(const std::string&) override {}
    void SetText(const std::string&) override {}
    void Show() override { ADD_FAILURE() << "no window for a program that is not running"; }
    void Hide() override {}
    bool IsVisible() const override { return false; }
  };
  WaitServices wait{pump, fs, [] { return std::make_unique<Window>(); }};
  services.AttendFermeture = [&] { AttendFermeture(wait); };
  InstallOldVersion();
  fs.SetReadOnly("C:\\Brannoch\\Brannoch.EXE", true);
  // A wait that should have ended fails the test instead of hanging it.
  fs.BeforeCall = [this, opens = 0](Op op, const std::string&) mutable {
    if (op != Op::Open || ++opens != 100000) return;
    ADD_FAILURE() << "still waiting";
    fs.SetReadOnly("C:\\Brannoch\\Brannoch.EXE", false);
  };
  try {
    Run({1});
    FAIL() << "no error";
  } catch (const EInOutError& e) {
    EXPECT_EQ(e.Message(), "Accès au fichier refusé");
  }
  EXPECT_EQ(fs.Contents("C:\\Brannoch\\MAJ\\Brannoch.FCC"), Payload);
  EXPECT_FALSE(fs.IsFile("C:\\Brannoch\\MAJ\\brannoch.exe"));
  EXPECT_FALSE(fs.IsFile("C:\\Brannoch\\ex_Brannoch.EXE"));
  EXPECT_EQ(fs.Contents("C:\\Brannoch\\Brannoch.EXE"), "old program");
  EXPECT_EQ(fs.OpenHandles(), 0);
}

TEST_F(Machine, MissingPayloadResourceIsReportedBeforeAnyFileIsWritten) {
  resources.Modules.clear();
  EXPECT_THROW(Run({1}), EResNotFound);
  EXPECT_FALSE(fs.IsFile("C:\\Brannoch\\Brannoch.FCC"));
}

TEST(OuvreFichier, OpensExistingFilesOnlyAndSharesReadingOnly) {
  MemoryFileSystem fs;
  EXPECT_FALSE(OuvreFichier(fs, ShortString("C:\\stamp.exe")));
  EXPECT_FALSE(fs.IsFile("C:\\stamp.exe"));
  fs.AddFile("C:\\stamp.exe", "MZ");
  auto f = OuvreFichier(fs, ShortString("C:\\stamp.exe"));
  ASSERT_TRUE(f);
  uint32_t error = 0;
  EXPECT_FALSE(fs.Open("C:\\stamp.exe", platform::Access::Write, platform::Share::ReadWrite,
                       platform::Disposition::OpenExisting, &error));
  EXPECT_EQ(error, platform::ErrorSharingViolation);
  EXPECT_TRUE(fs.Open("C:\\stamp.exe", platform::Access::Read, platform::Share::ReadWrite,
                      platform::Disposition::OpenExisting, &error));
  EXPECT_FALSE(OuvreFichier(fs, ShortString("C:\\missing\\x.exe")));
}

}  // namespace
