// The waiting window as designed, and the running-instance wait on the real
// platform: a locked program file, the window shown and hidden, closed by
// the user meanwhile.
#include <gtest/gtest.h>

#include "common/Errors.h"
#include "controls/win32/Application.h"
#include "installer/UAttente.h"
#include "installer/win32/TAttente.h"
#include "installer/win32/Win32WaitingWindow.h"
#include "platform/win32/Win32FileSystem.h"

using namespace win32;

namespace {

const char* const Programme = "c:\\Brannoch\\Brannoch.EXE";

// The program file held open without sharing, as a running program holds
// its executable; made for the test when missing and removed again.
class LockedProgramme {
public:
  LockedProgramme() {
    CreateDirectoryA("c:\\Brannoch", nullptr);
    made_ = GetFileAttributesA(Programme) == INVALID_FILE_ATTRIBUTES;
    lock_ = UniqueHandle(
        CreateFileA(Programme, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  }
  ~LockedProgramme() {
    lock_.Reset();
    if (made_) DeleteFileA(Programme);
  }
  bool Locked() const { return lock_.Valid(); }
  void Release() { lock_.Reset(); }

private:
  bool made_ = false;
  UniqueHandle lock_;
};

// What the timer does while the wait runs; a timer procedure has no context.
struct During {
  installer::WaitServices* wait = nullptr;
  LockedProgramme* lock = nullptr;
  bool closeFirst = false;
  bool closed = false, released = false, shownWhenReleased = false;
} during;

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
  installer::WaitingWindow* w = during.wait->Attente.get();
  if (!w || during.released) return;
  if (during.closeFirst && !during.closed) {
    if (!w->IsVisible()) return;
    PostMessageA(static_cast<Win32WaitingWindow*>(w)->Form().Handle(), WM_CLOSE, 0, 0);
    during.closed = true;
    return;
  }
  during.shownWhenReleased = w->IsVisible();
  during.lock->Release();
  during.released = true;
}

// Runs the wait with the Win32 services while a timer does what During asks.
void WaitWithTimer(installer::WaitServices& s, LockedProgramme& lock, bool closeFirst) {
  during = During{&s, &lock, closeFirst};
  UINT_PTR timer = SetTimer(nullptr, 0, 100, Tick);
  ASSERT_NE(timer, 0u);
  installer::AttendFermeture(s);
  KillTimer(nullptr, timer);
}

}  // namespace

TEST(TAttente, IsBuiltAsDesigned) {
  TAttente a;
  char name[64] = {};
  GetClassNameA(a.Handle(), name, sizeof name);
  EXPECT_STREQ(name, "TAttente");
  EXPECT_FALSE(a.Visible());
  EXPECT_EQ(a.Caption(), "Attente");
  EXPECT_EQ(a.ClientWidth(), 510);
  EXPECT_EQ(a.ClientHeight(), 306);
  EXPECT_EQ(a.Color(), Colour{0xC0BBFF});
  EXPECT_EQ(a.GetFont(), (Font{"MS Sans Serif", 8, clWindowText, 0, 96}));

  EXPECT_EQ(a.Label1.BoundsRect(), (Rect{0, 0, 510, 290}));
  EXPECT_EQ(a.Label1.GetAlignment(), Alignment::Center);
  EXPECT_EQ(a.Label1.Layout(), TextLayout::Center);
  EXPECT_TRUE(a.Label1.WordWrap());
  EXPECT_FALSE(a.Label1.AutoSize());
  EXPECT_TRUE(a.Label1.Transparent());
  EXPECT_EQ(a.Label1.RightToLeftReading(), GetSystemMetrics(SM_MIDEASTENABLED) != 0);
  EXPECT_EQ(a.Label2.BoundsRect(), (Rect{0, 290, 510, 306}));
  EXPECT_EQ(a.Label2.GetAlignment(), Alignment::Center);
  EXPECT_FALSE(a.Label2.AutoSize());
  EXPECT_EQ(a.Label2.Caption(), "");
}

TEST(TAttente, ShowsCentredAndClosingItOnlyHidesIt) {
  Win32WaitingWindow w;
  w.Show();
  EXPECT_TRUE(w.IsVisible());
  TAttente& f = w.Form();
  EXPECT_EQ(f.Left(), (GetSystemMetrics(SM_CXSCREEN) - f.Width()) / 2);
  EXPECT_EQ(f.Top(), (GetSystemMetrics(SM_CYSCREEN) - f.Height()) / 2);
  PostMessageA(f.Handle(), WM_CLOSE, 0, 0);
  Application::Instance().ProcessMessages();
  EXPECT_FALSE(w.IsVisible());
  EXPECT_TRUE(IsWindow(f.Handle()));
}

TEST(AttendFermetureOnWin32, TheWindowShowsWhileTheProgramIsLockedAndHidesOnceItIsFree) {
  LockedProgramme lock;
  ASSERT_TRUE(lock.Locked());
  Win32FileSystem files;
  installer::WaitServices s{Application::Instance(), files, CreeAttente};
  WaitWithTimer(s, lock, false);

  ASSERT_NE(s.Attente, nullptr);
  EXPECT_TRUE(during.released);
  EXPECT_TRUE(during.shownWhenReleased);
  EXPECT_FALSE(s.Attente->IsVisible());
  TAttente& f = static_cast<Win32WaitingWindow*>(s.Attente.get())->Form();
  EXPECT_EQ(f.Caption(), "Installateur de Brannoch.EXE © Corvanel");
  EXPECT_EQ(f.Label1.Caption().substr(0, 30), "\rINSTALL.EXE a décelé que Bran");
  // The wait closed its handle: the file can be locked again.
  LockedProgramme again;
  EXPECT_TRUE(again.Locked());
}

TEST(AttendFermetureOnWin32, ClosingTheWindowLetsTheWaitGoOn) {
  LockedProgramme lock;
  ASSERT_TRUE(lock.Locked());
  Win32FileSystem files;
  installer::WaitServices s{Application::Instance(), files, CreeAttente};
  WaitWithTimer(s, lock, true);

  EXPECT_TRUE(during.closed);
  EXPECT_TRUE(during.released);
  EXPECT_FALSE(during.shownWhenReleased) << "the close hid the window";
  ASSERT_NE(s.Attente, nullptr);
  EXPECT_FALSE(s.Attente->IsVisible());
}

// A refusal that no running program explains ends the wait at once with its
// error. A folder in the program's place gives "access denied", as a
// read-only program does on Windows (Wine, as the tests run it, opens a
// read-only file for writing all the same).
TEST(AttendFermetureOnWin32, AFolderInPlaceOfTheProgramEndsTheWaitWithTheAccessError) {
  struct FolderInPlace {
    FolderInPlace() {
      CreateDirectoryA("c:\\Brannoch", nullptr);
      if (GetFileAttributesA(Programme) != INVALID_FILE_ATTRIBUTES) aside = MoveFileA(Programme, Aside);
      made = CreateDirectoryA(Programme, nullptr);
    }
    ~FolderInPlace() {
      if (made) RemoveDirectoryA(Programme);
      if (aside) MoveFileA(Aside, Programme);
    }
    const char* const Aside = "c:\\Brannoch\\Brannoch.EXE.mis-de-cote";
    bool aside = false, made = false;
  } folder;
  ASSERT_TRUE(folder.made);

  Win32FileSystem files;
  installer::WaitServices s{Application::Instance(), files, CreeAttente};
  try {
    installer::AttendFermeture(s);
    ADD_FAILURE() << "no error";
  } catch (const EInOutError& e) {
    EXPECT_EQ(e.ErrorCode(), platform::ErrorAccessDenied);
  }
  EXPECT_EQ(s.Attente, nullptr);
}
