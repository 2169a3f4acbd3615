// The window framework on real windows: the modal loop and its ending, keys
// and accelerators, mouse capture and clicks, anchors, exceptions kept from
// handlers, and what the double-buffered paint puts on the screen.
#include <gtest/gtest.h>

#include "common/Errors.h"
#include "controls/Label.h"
#include "controls/SpeedButton.h"
#include "controls/win32/Application.h"
#include "controls/win32/Form.h"

using namespace win32;

namespace {

class TestForm : public Form {
public:
  TestForm() : Form("TTestForm") {
    SetClientSize(300, 200);
    SetColor(0x00FFFF);
    Bouton.SetParent(this);
    Bouton.SetCaption("&Non");
    Bouton.SetBounds(20, 100, 135, 27);
    Bouton.OnClick = [this](GraphicControl&) {
      ++clicks;
      if (closeOnClick) Close();
    };
  }
  void FormShow() override { ++shows; }
  void FormClose(CloseAction& a) override {
    ++closes;
    if (refusals > 0) {
      --refusals;
      a = CloseAction::None;
    }
  }
  void FormKeyDown(WORD& key, ShiftState) override {
    keysDown.push_back(key);
    if (key == VK_ESCAPE) Close();
  }
  void FormKeyPress(char& key) override {
    if (key == '!') throw EConvertError("'!' n'est pas une valeur entière correcte");
    keysPressed.push_back(key);
  }

  SpeedButton Bouton;
  int shows = 0, closes = 0, clicks = 0;
  int refusals = 0;
  bool closeOnClick = true;
  std::vector<WORD> keysDown;
  std::string keysPressed;
};

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

}  // namespace

TEST(Form, CloseByTheTitleBarEndsTheModalLoopAndHides) {
  TestForm f;
  PostMessageA(f.Handle(), WM_CLOSE, 0, 0);
  f.ShowModal();
  EXPECT_EQ(f.shows, 1);
  EXPECT_EQ(f.closes, 1);
  EXPECT_FALSE(f.Visible());
  EXPECT_FALSE(f.Modal());
}

TEST(Form, ARefusedCloseKeepsTheLoopRunning) {
  TestForm f;
  f.refusals = 1;
  bool visibleAfterRefusal = false;
  f.Bouton.OnClick = [&](GraphicControl&) { visibleAfterRefusal = f.Visible() && f.Modal(); };
  PostMessageA(f.Handle(), WM_CLOSE, 0, 0);
  PostMessageA(f.Handle(), WM_CHAR, 'n', 0);
  PostMessageA(f.Handle(), WM_CLOSE, 0, 0);
  f.ShowModal();
  EXPECT_EQ(f.closes, 2);
  EXPECT_TRUE(visibleAfterRefusal);
  EXPECT_FALSE(f.Visible());
}

TEST(Form, AcceleratorsComeBeforeKeyPress) {
  TestForm f;
  f.closeOnClick = false;
  PostMessageA(f.Handle(), WM_CHAR, 'x', 0);
  PostMessageA(f.Handle(), WM_CHAR, 'n', 0);     // the button's accelerator, any case
  PostMessageA(f.Handle(), WM_SYSCHAR, 'N', 0);  // with Alt too
  PostMessageA(f.Handle(), WM_CHAR, 'y', 0);
  PostMessageA(f.Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
  f.ShowModal();
  EXPECT_EQ(f.clicks, 2);
  EXPECT_EQ(f.keysPressed.substr(0, 2), "xy");
  ASSERT_FALSE(f.keysDown.empty());
  EXPECT_EQ(f.keysDown.back(), VK_ESCAPE);
}

TEST(Form, AKeyDownIsTranslatedIntoItsCharacter) {
  TestForm f;
  f.closeOnClick = true;
  PostMessageA(f.Handle(), WM_KEYDOWN, 'N', 0x00310001);
  f.ShowModal();
  EXPECT_EQ(f.clicks, 1);
  EXPECT_EQ(f.keysDown, std::vector<WORD>{'N'});
}

TEST(Form, ClickOnlyWhenReleasedOverThePressedButton) {
  TestForm f;
  f.closeOnClick = false;
  PostMessageA(f.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(30, 110));
  PostMessageA(f.Handle(), WM_MOUSEMOVE, MK_LBUTTON, At(250, 20));
  PostMessageA(f.Handle(), WM_LBUTTONUP, 0, At(250, 20));             // released elsewhere: no click
  PostMessageA(f.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(250, 20));  // on no control
  PostMessageA(f.Handle(), WM_LBUTTONUP, 0, At(30, 110));
  PostMessageA(f.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(154, 126));
  PostMessageA(f.Handle(), WM_LBUTTONUP, 0, At(154, 126));
  PostMessageA(f.Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
  f.ShowModal();
  EXPECT_EQ(f.clicks, 1);
  EXPECT_FALSE(f.Bouton.Down());
}

TEST(Form, AnExceptionInAHandlerIsRethrownAfterTheLoop) {
  TestForm f;
  PostMessageA(f.Handle(), WM_CHAR, '!', 0);
  PostMessageA(f.Handle(), WM_CHAR, 'z', 0);
  try {
    f.ShowModal();
    FAIL() << "no exception";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "'!' n'est pas une valeur entière correcte");
  }
  EXPECT_FALSE(f.Visible());
  EXPECT_FALSE(Application::Instance().ExceptionPending());
  // The loop stopped at the failing handler: the next key was not handled.
  EXPECT_EQ(f.keysPressed, "");
  // A later pump sees the rest of the queue and raises nothing.
  Application::Instance().ProcessMessages();
  EXPECT_EQ(f.keysPressed, "z");
}

TEST(Form, ProcessMessagesRethrowsTooAfterPumping) {
  TestForm f;
  PostMessageA(f.Handle(), WM_CHAR, '!', 0);
  EXPECT_THROW(Application::Instance().ProcessMessages(), EConvertError);
}

TEST(Form, TheModalShowingDisablesTheOtherWindows) {
  TestForm other, modal;
  other.Show();
  bool enabledDuring = true;
  modal.Bouton.OnClick = [&](GraphicControl&) {
    enabledDuring = IsWindowEnabled(other.Handle()) != FALSE;
    modal.Close();
  };
  PostMessageA(modal.Handle(), WM_CHAR, 'n', 0);
  modal.ShowModal();
  EXPECT_FALSE(enabledDuring);
  EXPECT_TRUE(IsWindowEnabled(other.Handle()));
  other.Hide();
}

TEST(Form, ClientSizeCentringAndStayOnTop) {
  TestForm f;
  f.SetClientSize(481, 300);
  EXPECT_EQ(f.ClientWidth(), 481);
  EXPECT_EQ(f.ClientHeight(), 300);
  EXPECT_GT(f.Width(), 481);
  f.SetStayOnTop(true);
  EXPECT_TRUE(GetWindowLongPtrA(f.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  f.SetPosition(FormPosition::ScreenCenter);
  f.Show();
  EXPECT_EQ(f.Left(), (GetSystemMetrics(SM_CXSCREEN) - f.Width()) / 2);
  EXPECT_EQ(f.Top(), (GetSystemMetrics(SM_CYSCREEN) - f.Height()) / 2);
  f.Hide();
  int left = f.Left();
  f.SetTop(106);
  f.Show();  // centred once only
  EXPECT_EQ(f.Left(), left);
  EXPECT_EQ(f.Top(), 106);
  f.Hide();
}

TEST(Form, AnchoredControlsFollowTheirEdges) {
  TestForm f;
  f.Bouton.SetAnchors(akLeft | akBottom);
  f.SetClientHeight(260);
  EXPECT_EQ(f.Bouton.Top(), 160);
  EXPECT_EQ(f.Bouton.Left(), 20);
  f.Bouton.SetAnchors(akLeft | akTop);
  f.SetClientHeight(200);
  EXPECT_EQ(f.Bouton.Top(), 160);
}

TEST(Form, PaintsItsColourAndItsControlsWithoutErasing) {
  TestForm f;
  Label l;
  l.SetParent(&f);
  l.SetBounds(200, 10, 50, 20);
  l.SetAutoSize(false);
  l.SetColor(0xFF0000);  // opaque blue
  f.SetPosition(FormPosition::ScreenCenter);
  f.Show();
  UpdateWindow(f.Handle());
  COLORREF back, face, label, outside;
  {
    WindowDc dc(f.Handle());
    back = GetPixel(dc.Get(), 5, 5);
    face = GetPixel(dc.Get(), 80, 102);
    label = GetPixel(dc.Get(), 248, 28);
    outside = GetPixel(dc.Get(), 251, 31);
  }
  f.Hide();
  EXPECT_EQ(back, RGB(255, 255, 0));
  EXPECT_EQ(face, GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(label, RGB(0, 0, 255));
  EXPECT_EQ(outside, RGB(255, 255, 0));
}

TEST(Label, AutoSizeFitsTheTextAndARightAlignedLabelKeepsItsRightEdge) {
  TestForm f;
  Label l;
  l.SetParent(&f);
  l.SetBounds(100, 10, 10, 10);
  l.SetCaption("Restante :");
  EXPECT_GT(l.Width(), 30);
  EXPECT_GT(l.Height(), 8);
  int h = l.Height();
  l.SetAlignment(Alignment::RightJustify);
  int right = l.Left() + l.Width();
  l.SetCaption("?");
  EXPECT_EQ(l.Left() + l.Width(), right);
  EXPECT_LT(l.Width(), 20);
  l.SetCaption("");
  EXPECT_EQ(l.Height(), h);  // an empty caption keeps one line
  l.SetWordWrap(true);
  l.SetAutoSize(false);
  l.SetBounds(0, 0, 60, 10);
  l.SetAutoSize(true);
  l.SetCaption("un texte assez long pour passer à la ligne");
  EXPECT_EQ(l.Width(), 60);
  EXPECT_GT(l.Height(), 2 * h);
}

TEST(Label, RightToLeftReadingMovesTheTrailingFullStop) {
  TestForm f;
  Label ltr, rtl;
  for (Label* l : {&ltr, &rtl}) {
    l->SetParent(&f);
    l->SetAutoSize(false);
    l->SetTransparent(true);
    l->SetCaption("abc.");
  }
  ltr.SetBounds(10, 10, 80, 20);
  rtl.SetBounds(10, 40, 80, 20);
  rtl.SetRightToLeftReading(true);
  f.Show();
  UpdateWindow(f.Handle());
  WindowDc window(f.Handle());
  HDC dc = window.Get();
  // The leftmost inked column: the "a" in left-to-right reading, the "." in
  // right-to-left reading, which makes the two texts start differently.
  auto firstInk = [&](int top) {
    for (int x = 10; x < 90; ++x)
      for (int y = top; y < top + 20; ++y)
        if (GetPixel(dc, x, y) != RGB(255, 255, 0)) return std::pair{x, y};
    return std::pair{-1, -1};
  };
  auto a = firstInk(10), b = firstInk(40);
  f.Hide();
  ASSERT_NE(a.first, -1);
  ASSERT_NE(b.first, -1);
  // A full stop sits on the base line: its first ink is lower than the "a"'s.
  EXPECT_GT(b.second - 40, a.second - 10);
}
