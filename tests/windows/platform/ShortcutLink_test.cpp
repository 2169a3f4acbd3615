// The registry and shell link services on the real system: keys made when
// missing, string values only, the COM start-up guard, and shortcuts that
// cannot be written or have no desktop to go to.
#include <gtest/gtest.h>

#include <thread>

#include "common/Errors.h"
#include "installer/CreeRaccourci.h"
#include "platform/win32/ComStartup.h"
#include "platform/win32/SystemErrorMessage.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32ShellLinks.h"

using namespace win32;

namespace {

constexpr const char* TestKey = "Software\\BrannochTests\\Explorer";
constexpr const char* ExplorerKey = "Software\\MicroSoft\\Windows\\CurrentVersion\\Explorer";

void DeleteTestKey() { RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\BrannochTests"); }

bool KeyExists(const char* path) {
  UniqueKey k;
  return RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, k.Put()) == ERROR_SUCCESS;
}

// Removes the "Desktop" value of "Shell Folders" and puts it back afterwards.
class NoDesktopValue {
public:
  NoDesktopValue() {
    std::string path = std::string(ExplorerKey) + "\\Shell Folders";
    RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key_.Put(), nullptr);
    char buf[MAX_PATH];
    DWORD size = sizeof buf, type = 0;
    had_ = RegQueryValueExA(key_.Get(), "Desktop", nullptr, &type, reinterpret_cast<BYTE*>(buf), &size) ==
           ERROR_SUCCESS;
    if (had_) value_.assign(buf, size);
    RegDeleteValueA(key_.Get(), "Desktop");
  }
  ~NoDesktopValue() {
    if (had_)
      RegSetValueExA(key_.Get(), "Desktop", 0, REG_SZ, reinterpret_cast<const BYTE*>(value_.data()),
                     static_cast<DWORD>(value_.size()));
  }

private:
  UniqueKey key_;
  bool had_ = false;
  std::string value_;
};

class CurrentDirectory {
public:
  explicit CurrentDirectory(const char* path) {
    char buf[MAX_PATH];
    GetCurrentDirectoryA(sizeof buf, buf);
    old_ = buf;
    SetCurrentDirectoryA(path);
  }
  ~CurrentDirectory() { SetCurrentDirectoryA(old_.c_str()); }

private:
  std::string old_;
};

}  // namespace

TEST(Win32Registry, TheKeyIsCreatedWhenMissingAndOnlyStringValuesAreRead) {
  DeleteTestKey();
  Win32Registry registry;
  auto key = registry.OpenOrCreateCurrentUserKey(TestKey);
  ASSERT_NE(key, nullptr);
  EXPECT_TRUE(KeyExists(TestKey));
  EXPECT_EQ(key->ReadString("Shell Folders", "Desktop"), std::nullopt);

  UniqueKey sub;
  std::string path = std::string(TestKey) + "\\Shell Folders";
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, sub.Put(),
                            nullptr),
            ERROR_SUCCESS);
  const char desktop[] = "C:\\users\\jean.dupont\\Bureau";
  RegSetValueExA(sub.Get(), "Desktop", 0, REG_SZ, reinterpret_cast<const BYTE*>(desktop), sizeof desktop);
  DWORD number = 7;
  RegSetValueExA(sub.Get(), "Nombre", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);

  EXPECT_EQ(key->ReadString("Shell Folders", "Desktop"), std::optional<std::string>(desktop));
  EXPECT_EQ(key->ReadString("Shell Folders", "Nombre"), std::nullopt);
  EXPECT_EQ(key->ReadString("Shell Folders", "Absent"), std::nullopt);
  DeleteTestKey();
}

TEST(Win32ShellLinks, NestedComStartupsLeaveTheSystemRunning) {
  const int before = ComStartup::Count();
  EXPECT_GE(before, 1) << "the unit's own start-up";
  {
    ComStartup again;
    EXPECT_EQ(ComStartup::Count(), before + 1);
  }
  EXPECT_EQ(ComStartup::Count(), before);
  Win32ShellLinks links;
  std::string failure;
  EXPECT_NE(links.Create(failure), nullptr);
}

TEST(Win32ShellLinks, ALinkObjectThatCannotBeMadeGivesTheSystemsMessage) {
  // A thread of its own has no component object system.
  std::string message;
  std::thread([&] {
    Win32ShellLinks links;
    EXPECT_EQ(links.Create(message), nullptr);
  }).join();
  EXPECT_FALSE(message.empty());
  EXPECT_EQ(message, SystemErrorMessage(static_cast<DWORD>(CO_E_NOTINITIALIZED)));
}

TEST(Win32ShellLinks, AShortcutThatCannotBeSavedRaisesEShortcutError) {
  Win32Registry registry;
  Win32ShellLinks links;
  installer::ShortcutServices s{registry, links};
  try {
    installer::CreeRaccourci(s, "C:\\dossier-absent\\sous-dossier\\Appli", "c:\\Brannoch\\Brannoch.EXE", "", "", "", "",
                             0, 0);
    FAIL() << "no error";
  } catch (const EShortcutError& e) {
    EXPECT_EQ(e.Message(), "Unable to create .lnk file");
  }
  EXPECT_EQ(GetFileAttributesA("C:\\dossier-absent"), INVALID_FILE_ATTRIBUTES);
}

TEST(Win32ShellLinks, WithoutADesktopValueTheShortcutGoesToTheRootOfTheCurrentDrive) {
  const char* written = "C:\\Brannoch-racine-test.lnk";
  DeleteFileA(written);
  {
    NoDesktopValue noDesktop;
    CurrentDirectory inWindows("C:\\windows");
    Win32Registry registry;
    Win32ShellLinks links;
    installer::ShortcutServices s{registry, links};
    installer::CreeRaccourci(s, "Brannoch-racine-test", "c:\\Brannoch\\Brannoch.EXE", "", "", "", "", 0, 0);
  }
  EXPECT_NE(GetFileAttributesA(written), INVALID_FILE_ATTRIBUTES);
  DeleteFileA(written);
}
