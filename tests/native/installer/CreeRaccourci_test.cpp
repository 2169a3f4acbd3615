// The shortcut's values: the texts CreeRaccourci derives and how TShortcutLink hands them to the shell link.
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "common/Errors.h"
#include "installer/CreeRaccourci.h"
#include "installer/ShortcutLink.h"

using namespace installer;

namespace {

using Calls = std::vector<std::string>;

// The current user's hive: values by "subkey\name"; records what is opened.
class FakeRegistry : public platform::Registry {
public:
  struct Key : platform::RegistryKey {
    explicit Key(FakeRegistry& owner) : r(owner) {}
    ~Key() override { ++r.closed; }
    std::optional<std::string> ReadString(const std::string& subkey, const std::string& name) override {
      r.reads.push_back(subkey + "\\" + name);
      auto it = r.values.find(subkey + "\\" + name);
      if (it == r.values.end()) return std::nullopt;
      return it->second;
    }
    FakeRegistry& r;
  };

  std::unique_ptr<platform::RegistryKey> OpenOrCreateCurrentUserKey(const std::string& path) override {
    opened.push_back(path);
    if (refuse) return nullptr;
    return std::make_unique<Key>(*this);
  }

  std::map<std::string, std::string> values;
  bool refuse = false;
  Calls opened, reads;
  int closed = 0;
};

// Records every call made on the link objects it hands out, in order.
class RecordingLinks : public platform::ShellLinks {
public:
  struct Link : platform::ShellLinkObject {
    explicit Link(RecordingLinks& owner) : l(owner) {}
    ~Link() override { l.calls.push_back("Release"); }
    void SetPath(const std::string& v) override { l.calls.push_back("SetPath " + v); }
    void SetWorkingDirectory(const std::string& v) override { l.calls.push_back("SetWorkingDirectory " + v); }
    void SetArguments(const std::string& v) override { l.calls.push_back("SetArguments " + v); }
    void SetDescription(const std::string& v) override { l.calls.push_back("SetDescription " + v); }
    void SetShowCmd(int32_t v) override { l.calls.push_back("SetShowCmd " + std::to_string(v)); }
    void SetHotkey(uint16_t v) override { l.calls.push_back("SetHotkey " + std::to_string(v)); }
    void SetIconLocation(const std::string& f, int i) override {
      l.calls.push_back("SetIconLocation " + f + "," + std::to_string(i));
    }
    int32_t Save(const std::string& path) override {
      l.calls.push_back("Save " + path);
      return l.saveResult;
    }
    RecordingLinks& l;
  };

  std::unique_ptr<platform::ShellLinkObject> Create(std::string& failure) override {
    if (refuse) {
      failure = "Classe non enregistrée";
      return nullptr;
    }
    calls.push_back("Create");
    return std::make_unique<Link>(*this);
  }

  // The value of the last call that starts with what, "" when none.
  std::string Last(const std::string& what) const {
    for (auto it = calls.rbegin(); it != calls.rend(); ++it)
      if (it->rfind(what + " ", 0) == 0) return it->substr(what.size() + 1);
    return "";
  }
  bool Called(const std::string& what) const {
    for (const std::string& c : calls)
      if (c.rfind(what, 0) == 0) return true;
    return false;
  }

  Calls calls;
  int32_t saveResult = 0;
  bool refuse = false;
};

const std::string Desktop = "C:\\users\\jean\\Desktop";
const std::string Target = "c:\\Brannoch\\Brannoch.EXE";

struct Shortcut : ::testing::Test {
  Shortcut() { registry.values["Shell Folders\\Desktop"] = Desktop; }

  void Make(std::string_view name, std::string_view target = Target, std::string_view dir = "",
            std::string_view icon = "", char hotKey = 0) {
    CreeRaccourci(services, name, target, dir, "desc", "", icon, 0, hotKey);
  }

  FakeRegistry registry;
  RecordingLinks links;
  ShortcutServices services{registry, links};
};

}  // namespace

TEST_F(Shortcut, TheInstallersShortcutGoesOnTheDesktopWithEveryValueInOrder) {
  CreeRaccourci(services, "Brannoch © Corvanel", Target, "",
                "Brannoch est une application réalisée avec Plinthar © Corvanel", "", "", 0, 0);
  EXPECT_EQ(registry.opened, (Calls{"Software\\MicroSoft\\Windows\\CurrentVersion\\Explorer"}));
  EXPECT_EQ(registry.reads, (Calls{"Shell Folders\\Desktop"}));
  EXPECT_EQ(registry.closed, 1);
  EXPECT_EQ(links.calls, (Calls{
                             "Create",
                             "SetPath c:\\Brannoch\\Brannoch.EXE",
                             "SetWorkingDirectory c:\\Brannoch",
                             "SetArguments ",
                             "SetDescription Brannoch est une application réalisée avec Plinthar © Corvanel",
                             "SetShowCmd 9",
                             "SetIconLocation c:\\Brannoch\\Brannoch.EXE,0",
                             "Save C:\\users\\jean\\Desktop\\Brannoch © Corvanel.lnk",
                             "Release",
                         }));
}

TEST_F(Shortcut, LnkIsAddedOnlyWhenTheWholePathHoldsNoDot) {
  registry.values["Shell Folders\\Desktop"] = "C:\\users\\jean.dupont\\Desktop";
  Make("Appli");
  EXPECT_EQ(links.Last("Save"), "C:\\users\\jean.dupont\\Desktop\\Appli");
  registry.values["Shell Folders\\Desktop"] = Desktop;
  Make("Appli.v2");
  EXPECT_EQ(links.Last("Save"), Desktop + "\\Appli.v2");
}

TEST_F(Shortcut, ANameWithABackslashIsTheFullPath) {
  Make("D:\\Raccourcis\\Appli");
  EXPECT_EQ(links.Last("Save"), "D:\\Raccourcis\\Appli.lnk");
  EXPECT_EQ(registry.reads.size(), 1u) << "the desktop is still read";
}

TEST_F(Shortcut, WithoutADesktopValueTheShortcutGoesToTheRootOfTheCurrentDrive) {
  registry.values.clear();
  Make("Appli");
  EXPECT_EQ(links.Last("Save"), "\\Appli.lnk");
  registry.refuse = true;
  Make("Appli");
  EXPECT_EQ(links.Last("Save"), "\\Appli.lnk");
}

TEST_F(Shortcut, TheJoinedPathIsCutTo79BeforeAndAfterLnk) {
  // Desktop + "\" is 22 characters.
  Make(std::string(53, 'n'));  // 75 + ".lnk" = 79
  EXPECT_EQ(links.Last("Save"), Desktop + "\\" + std::string(53, 'n') + ".lnk");
  Make(std::string(55, 'n'));  // 77: only ".l" fits
  EXPECT_EQ(links.Last("Save"), Desktop + "\\" + std::string(55, 'n') + ".l");
  Make(std::string(70, 'n'));  // 92: cut to 79, no room left
  EXPECT_EQ(links.Last("Save"), Desktop + "\\" + std::string(57, 'n'));
  // A dot past the 79th character is cut away before ".lnk" is considered.
  Make(std::string(60, 'n') + ".x");
  EXPECT_EQ(links.Last("Save"), Desktop + "\\" + std::string(57, 'n'));
  // The name itself is cut to 79 on entry, before the desktop is put in front.
  Make("C:\\" + std::string(90, 'n'));
  EXPECT_EQ(links.Last("Save"), "C:\\" + std::string(76, 'n'));
}

TEST_F(Shortcut, EveryTextIsCutTo79OnEntry) {
  std::string longText(100, 'd');
  CreeRaccourci(services, "C:\\x.lnk", "c:\\" + std::string(100, 't'), "c:\\" + std::string(100, 'w'), longText,
                std::string(100, 'a'), "c:\\" + std::string(100, 'i'), 3, 0);
  EXPECT_EQ(links.Last("SetPath"), "c:\\" + std::string(76, 't'));
  EXPECT_EQ(links.Last("SetWorkingDirectory"), "c:\\" + std::string(76, 'w'));
  EXPECT_EQ(links.Last("SetDescription"), std::string(79, 'd'));
  EXPECT_EQ(links.Last("SetArguments"), std::string(79, 'a'));
  EXPECT_EQ(links.Last("SetIconLocation"), "c:\\" + std::string(76, 'i') + ",3");
}

TEST_F(Shortcut, ATargetWithoutDotGetsExeAndTheDerivedValuesFollowIt) {
  Make("Appli", "c:\\Outils\\prog");
  EXPECT_EQ(links.Last("SetPath"), "c:\\Outils\\prog.exe");
  EXPECT_EQ(links.Last("SetWorkingDirectory"), "c:\\Outils");
  EXPECT_EQ(links.Last("SetIconLocation"), "c:\\Outils\\prog.exe,0");
  // ".exe" is cut too when the target is near 79 characters.
  Make("Appli", "c:\\" + std::string(74, 'p'));
  EXPECT_EQ(links.Last("SetPath"), "c:\\" + std::string(74, 'p') + ".e");
}

TEST_F(Shortcut, TheWorkingFolderIsTheTargetsFolderKeepingADriveRootWhole) {
  const std::pair<const char*, const char*> cases[] = {
      {"c:\\x.exe", "c:\\"},
      {"c:\\Brannoch\\Brannoch.EXE", "c:\\Brannoch"},
      {"c:x.exe", "c:"},
      {"x.exe", ""},
      {"\\x.exe", "\\"},
      {"\\\\serveur\\x.exe", "\\\\serveur"},
      {"c:\\a\\\\x.exe", "c:\\a\\\\"},
  };
  for (auto [target, folder] : cases) {
    Make("Appli", target);
    EXPECT_EQ(links.Last("SetWorkingDirectory"), folder) << target;
  }
}

TEST_F(Shortcut, GivenWorkingFolderAndIconFileAreKept) {
  Make("Appli", Target, "d:\\travail", "c:\\icones\\a.ico");
  EXPECT_EQ(links.Last("SetWorkingDirectory"), "d:\\travail");
  EXPECT_EQ(links.Last("SetIconLocation"), "c:\\icones\\a.ico,0");
}

TEST_F(Shortcut, TheHotKeyIsTheUpperCaseLetterWithCtrlAlt) {
  Make("Appli", Target, "", "", 'a');
  EXPECT_EQ(links.Last("SetHotkey"), std::to_string(0x641));
  Make("Appli", Target, "", "", '7');
  EXPECT_EQ(links.Last("SetHotkey"), std::to_string(0x637));
  Make("Appli", Target, "", "", '\xE9');  // é: only a to z are upper-cased
  EXPECT_EQ(links.Last("SetHotkey"), std::to_string(0x6E9));
  for (char none : {'\0', '\x1F', ' '}) {
    links.calls.clear();
    Make("Appli", Target, "", "", none);
    EXPECT_FALSE(links.Called("SetHotkey")) << int(none);
  }
}

TEST_F(Shortcut, AFailedSaveRaisesEShortcutErrorAndReleasesTheLink) {
  links.saveResult = static_cast<int32_t>(0x80070003);
  try {
    Make("Appli");
    FAIL() << "no error";
  } catch (const EShortcutError& e) {
    EXPECT_EQ(e.Message(), "Unable to create .lnk file");
  }
  EXPECT_EQ(links.calls.back(), "Release");
  EXPECT_EQ(registry.closed, 1);
  // S_FALSE is no success either.
  links.saveResult = 1;
  EXPECT_THROW(Make("Appli"), EShortcutError);
}

TEST_F(Shortcut, ALinkObjectThatCannotBeMadeRaisesTheSystemsError) {
  links.refuse = true;
  try {
    Make("Appli");
    ADD_FAILURE() << "no error";
  } catch (const EOSError& e) {
    EXPECT_EQ(e.Message(), "Classe non enregistrée");
  }
  EXPECT_EQ(registry.closed, 1);
}

TEST(TShortcutLink, ShowCmdStoresThePlatformNumbersAndReadsTheRestAsNormal) {
  RecordingLinks links;
  TShortcutLink link(links);
  EXPECT_EQ(link.ShowCmdNumber(), 0);
  EXPECT_EQ(link.ShowCmd(), TShowCmd::scShowNormal);
  const std::pair<TShowCmd, int32_t> cases[] = {{TShowCmd::scShowMaximized, 3},
                                                {TShowCmd::scShowMinimized, 7},
                                                {TShowCmd::scShowNormal, 9}};
  for (auto [cmd, number] : cases) {
    link.SetShowCmd(cmd);
    EXPECT_EQ(link.ShowCmdNumber(), number);
    EXPECT_EQ(link.ShowCmd(), cmd);
  }
}

TEST(TShortcutLink, HotKeyReadsABlankForNoneAndKeepsOneUpperCaseLetter) {
  RecordingLinks links;
  TShortcutLink link(links);
  EXPECT_EQ(link.HotKeyCode(), 0);
  EXPECT_EQ(link.HotKey(), " ");
  link.SetHotKey("qz");
  EXPECT_EQ(link.HotKey(), "Q");
  link.SetHotKey("");
  EXPECT_EQ(link.HotKeyCode(), 32);
  link.SetHotKey("\t");
  EXPECT_EQ(link.HotKeyCode(), 32);
}
