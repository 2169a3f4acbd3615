// A form read and answered as a screen reader does, through the window's
// IAccessible: its controls as children in order with what they say, where
// they are, a press that is the click's, presses refused where a click could
// not happen, and objects that outlive their controls or their window.
#include "platform/win32/Windows.h"

#include <gtest/gtest.h>
#include <oleacc.h>

#include <string>
#include <vector>

#include "controls/Gradient.h"
#include "controls/Label.h"
#include "controls/ProgressBar.h"
#include "controls/SpeedButton.h"
#include "controls/win32/Application.h"
#include "controls/win32/Form.h"
#include "dialogs/win32/TFMB.h"
#include "platform/win32/ComStartup.h"

using namespace win32;

namespace {

class Fenetre : public Form {
public:
  Fenetre() : Form("TFenetreLue") {
    SetCaption("Déconcaténation de l'été");
    SetClientSize(300, 200);
    Fond.SetParent(this);
    Fond.SetBounds(0, 0, 300, 200);
    Titre.SetParent(this);
    Titre.SetBounds(10, 10, 200, 20);
    Titre.SetCaption("&Fichier à écrire");
    Barre.SetParent(this);
    Barre.SetBounds(10, 40, 280, 20);
    Barre.SetPosition(4);
    Vide.SetParent(this);
    Vide.SetBounds(10, 70, 100, 20);
    Oui.SetParent(this);
    Oui.SetCaption("&Oui");
    Oui.SetBounds(10, 150, 80, 25);
    Non.SetParent(this);
    Non.SetCaption("&Non");
    Non.SetBounds(100, 150, 80, 25);
    Oui.OnClick = [this](GraphicControl&) { clics += "O"; };
    Non.OnClick = [this](GraphicControl&) { clics += "N"; };
  }
  TGradient Fond;
  Label Titre, Vide;
  ProgressBar Barre;
  SpeedButton Oui, Non;
  std::string clics;
};

ComPtr<IAccessible> Objet(HWND h) {
  ComPtr<IAccessible> a;
  EXPECT_EQ(AccessibleObjectFromWindow(h, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible), a.Put()), S_OK);
  return a;
}

VARIANT Id(LONG id) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_I4;
  v.lVal = id;
  return v;
}

// A text property back in cp1252; "-" when there is none.
template <class Get>
std::string Lu(Get get) {
  BSTR b = nullptr;
  HRESULT hr = get(&b);
  if (hr != S_OK || !b) return hr == S_FALSE ? "-" : "error " + std::to_string(hr);
  char out[512];
  int n = WideCharToMultiByte(1252, 0, b, static_cast<int>(SysStringLen(b)), out, sizeof out, nullptr, nullptr);
  SysFreeString(b);
  return std::string(out, n > 0 ? n : 0);
}

LONG Entier(IAccessible* a, HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, VARIANT*), LONG id) {
  VARIANT v;
  VariantInit(&v);
  if ((a->*get)(Id(id), &v) != S_OK || v.vt != VT_I4) return -1;
  return v.lVal;
}

// One line per object: role, name, value, state, shortcut, default action.
std::string Decrit(IAccessible* a, LONG id) {
  VARIANT v = Id(id);
  return std::to_string(Entier(a, &IAccessible::get_accRole, id)) + " " +
         Lu([&](BSTR* b) { return a->get_accName(v, b); }) + " | " +
         Lu([&](BSTR* b) { return a->get_accValue(v, b); }) + " | " +
         // Whether the window has the keyboard is the system's business.
         std::to_string(Entier(a, &IAccessible::get_accState, id) & ~STATE_SYSTEM_FOCUSED) + " | " +
         Lu([&](BSTR* b) { return a->get_accKeyboardShortcut(v, b); }) + " | " +
         Lu([&](BSTR* b) { return a->get_accDefaultAction(v, b); });
}

}  // namespace

TEST(AccessibleForm, ChildrenInOrderSayWhatTheControlsSay) {
  ComStartup com;
  Fenetre f;
  f.Non.SetEnabled(false);
  f.Show();
  ComPtr<IAccessible> a = Objet(f.Handle());
  ASSERT_NE(a.Get(), nullptr);
  LONG n = 0;
  ASSERT_EQ(a->get_accChildCount(&n), S_OK);
  // The gradient and the empty label say nothing.
  ASSERT_EQ(n, 4);
  std::vector<std::string> lu;
  for (LONG i = 0; i <= n; ++i) lu.push_back(Decrit(a.Get(), i));
  EXPECT_EQ(lu, (std::vector<std::string>{
                    "18 Déconcaténation de l'été | - | 1048576 | - | -",  // dialog, focusable
                    "41 Fichier à écrire | - | 64 | - | -",               // static text, read-only
                    "48 - | 4% | 64 | - | -",                             // progress bar
                    "43 Oui | - | 0 | Alt+O | Appuyer",                   // push button
                    "43 Non | - | 1 | Alt+N | Appuyer",                   // unavailable
                }));
  VARIANT v = Id(5);
  BSTR b = nullptr;
  EXPECT_EQ(a->get_accName(v, &b), E_INVALIDARG);
}

TEST(AccessibleForm, LocationHitTestAndNavigationAgreeWithThePainting) {
  ComStartup com;
  Fenetre f;
  f.Show();
  ComPtr<IAccessible> a = Objet(f.Handle());
  POINT origine{0, 0};
  ClientToScreen(f.Handle(), &origine);
  const Rect attendu[] = {f.Titre.BoundsRect(), f.Barre.BoundsRect(), f.Oui.BoundsRect(), f.Non.BoundsRect()};
  for (LONG id = 1; id <= 4; ++id) {
    const Rect& r = attendu[id - 1];
    LONG x = 0, y = 0, w = 0, h = 0;
    ASSERT_EQ(a->accLocation(&x, &y, &w, &h, Id(id)), S_OK);
    EXPECT_EQ(x, origine.x + r.left) << id;
    EXPECT_EQ(y, origine.y + r.top) << id;
    EXPECT_EQ(w, r.Width()) << id;
    EXPECT_EQ(h, r.Height()) << id;
    VARIANT touche;
    ASSERT_EQ(a->accHitTest(x + w / 2, y + h / 2, &touche), S_OK);
    EXPECT_EQ(touche.vt, VT_I4);
    EXPECT_EQ(touche.lVal, id);
  }
  VARIANT touche;
  ASSERT_EQ(a->accHitTest(origine.x + 250, origine.y + 100, &touche), S_OK);  // only the gradient there
  EXPECT_EQ(touche.lVal, CHILDID_SELF);
  EXPECT_EQ(a->accHitTest(origine.x - 50, origine.y - 50, &touche), S_FALSE);

  struct {
    LONG direction, depuis, vers;
  } pas[] = {{NAVDIR_FIRSTCHILD, 0, 1}, {NAVDIR_LASTCHILD, 0, 4}, {NAVDIR_NEXT, 1, 2},
             {NAVDIR_PREVIOUS, 1, -1},  {NAVDIR_NEXT, 4, -1},     {NAVDIR_RIGHT, 3, 4},
             {NAVDIR_LEFT, 4, 3},       {NAVDIR_DOWN, 1, 2},      {NAVDIR_UP, 3, 2}};
  for (const auto& p : pas) {
    VARIANT fin;
    HRESULT hr = a->accNavigate(p.direction, Id(p.depuis), &fin);
    if (p.vers < 0) {
      EXPECT_EQ(hr, S_FALSE) << p.direction << " from " << p.depuis;
    } else {
      EXPECT_EQ(hr, S_OK) << p.direction << " from " << p.depuis;
      EXPECT_EQ(fin.lVal, p.vers) << p.direction << " from " << p.depuis;
    }
  }
}

TEST(AccessibleForm, APressIsTheClickRunFromTheWindowsMessagesAndOnlyWhereAClickCouldHappen) {
  ComStartup com;
  Fenetre f;
  f.Show();
  ComPtr<IAccessible> a = Objet(f.Handle());
  ASSERT_EQ(a->accDoDefaultAction(Id(3)), S_OK);
  EXPECT_EQ(f.clics, "");  // not inside the call
  Application::Instance().ProcessMessages();
  EXPECT_EQ(f.clics, "O");
  EXPECT_EQ(a->accDoDefaultAction(Id(1)), DISP_E_MEMBERNOTFOUND);  // a label has no action

  f.Non.SetEnabled(false);
  EXPECT_EQ(a->accDoDefaultAction(Id(4)), E_FAIL);
  f.Non.SetEnabled(true);
  EnableWindow(f.Handle(), FALSE);  // another window is modal
  EXPECT_EQ(a->accDoDefaultAction(Id(4)), E_FAIL);
  EnableWindow(f.Handle(), TRUE);
  // Asked for, then the window disabled before it pumps: no click either.
  ASSERT_EQ(a->accDoDefaultAction(Id(4)), S_OK);
  EnableWindow(f.Handle(), FALSE);
  Application::Instance().ProcessMessages();
  EnableWindow(f.Handle(), TRUE);
  f.Hide();
  EXPECT_EQ(a->accDoDefaultAction(Id(4)), E_FAIL);
  Application::Instance().ProcessMessages();
  EXPECT_EQ(f.clics, "O");
}

TEST(AccessibleForm, TheMessageBoxIsReadAndAnsweredThroughIt) {
  ComStartup com;
  class Boite : public TFMB {
  public:
    std::function<void()> Differe;

  protected:
    void FormShow() override {
      TFMB::FormShow();
      PostMessageA(Handle(), WM_APP, 0, 0);
    }
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override {
      if (msg == WM_APP && Differe) Differe();
      return msg == WM_APP ? 0 : TFMB::HandleMessage(msg, wp, lp);
    }
  } boite;
  Fenetre autre;  // shown beside the modal box, which takes away its input
  autre.Show();
  ComPtr<IAccessible> a, b;
  LONG pendant = 0, oui = 0, non = 0, focus = -1;
  std::string etatOui, etatNon, description, message;
  boite.Differe = [&] {
    a = Objet(boite.Handle());
    description = Lu([&](BSTR* t) { return a->get_accDescription(Id(CHILDID_SELF), t); });
    message = Decrit(a.Get(), 1);
    a->get_accChildCount(&pendant);
    for (LONG id = 1; id <= pendant; ++id) {
      std::string nom = Lu([&](BSTR* t) { return a->get_accName(Id(id), t); });
      if (nom == "Oui") oui = id;
      if (nom == "Non") non = id;
    }
    etatOui = std::to_string(Entier(a.Get(), &IAccessible::get_accState, oui));
    etatNon = std::to_string(Entier(a.Get(), &IAccessible::get_accState, non));
    VARIANT f;
    if (a->get_accFocus(&f) == S_OK && f.vt == VT_I4) focus = f.lVal;
    b = Objet(autre.Handle());
    EXPECT_EQ(b->accDoDefaultAction(Id(3)), E_FAIL);
    EXPECT_EQ(a->accDoDefaultAction(Id(non)), S_OK);
  };
  EXPECT_EQ(boite.BoiteMessage("Installation de l'été", "Voulez-vous installer ?", "Oui#13Non", 0), 2);
  EXPECT_EQ(etatOui, std::to_string(STATE_SYSTEM_DEFAULT | STATE_SYSTEM_FOCUSED | STATE_SYSTEM_FOCUSABLE));
  EXPECT_EQ(etatNon, "0");
  EXPECT_EQ(description, "Voulez-vous installer ?\r\n");
  EXPECT_EQ(message, "41 Voulez-vous installer ?\r\n | - | 64 | - | -");
  EXPECT_EQ(pendant, 3);
  EXPECT_EQ(focus, oui);
  EXPECT_EQ(autre.clics, "");

  // The buttons of that call are gone: their ids name nothing now.
  LONG apres = 0;
  ASSERT_EQ(a->get_accChildCount(&apres), S_OK);
  EXPECT_EQ(apres, pendant - 2);
  BSTR t = nullptr;
  EXPECT_EQ(a->get_accName(Id(non), &t), E_INVALIDARG);
  EXPECT_EQ(a->accDoDefaultAction(Id(non)), E_INVALIDARG);
}

namespace {
std::vector<std::string>* entendus = nullptr;
// The events of the form itself: the system's own (the window's focus, say)
// are left out.
void CALLBACK Ecoute(HWINEVENTHOOK, DWORD e, HWND, LONG objet, LONG enfant, DWORD, DWORD) {
  if (!entendus) return;
  const char* nom = e == EVENT_SYSTEM_DIALOGSTART   ? "start"
                    : e == EVENT_SYSTEM_DIALOGEND   ? "end"
                    : e == EVENT_OBJECT_VALUECHANGE ? "value"
                                                    : nullptr;
  if (nom) entendus->push_back(std::string(nom) + " " + std::to_string(objet) + " " + std::to_string(enfant));
}
}  // namespace

TEST(AccessibleForm, ShowingHidingAndEachChangeOfTheBarAreAnnounced) {
  std::vector<std::string> recus;
  entendus = &recus;
  HWINEVENTHOOK h = SetWinEventHook(EVENT_SYSTEM_DIALOGSTART, EVENT_OBJECT_VALUECHANGE, nullptr, &Ecoute,
                                    GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
  ASSERT_NE(h, nullptr);
  {
    Fenetre f;
    f.Barre.SetPosition(5);  // hidden: no one to tell
    f.Show();
    for (int p : {5, 6, 6, 150, 100}) f.Barre.SetPosition(p);  // the same value and the clamped one say nothing
    f.Hide();
    f.Hide();
    Application::Instance().ProcessMessages();
  }
  UnhookWinEvent(h);
  entendus = nullptr;
  const std::string fenetre = std::to_string(OBJID_WINDOW), client = std::to_string(OBJID_CLIENT);
  EXPECT_EQ(recus, (std::vector<std::string>{"start " + fenetre + " 0", "value " + client + " 2",
                                             "value " + client + " 2", "end " + fenetre + " 0"}));
}

TEST(AccessibleForm, AnObjectHeldAfterItsWindowIsDestroyedAnswersAnError) {
  ComStartup com;
  ComPtr<IAccessible> a;
  {
    Fenetre f;
    f.Show();
    a = Objet(f.Handle());
  }
  LONG n = 0;
  EXPECT_EQ(a->get_accChildCount(&n), CO_E_OBJNOTCONNECTED);
  BSTR b = nullptr;
  EXPECT_EQ(a->get_accName(Id(CHILDID_SELF), &b), CO_E_OBJNOTCONNECTED);
  EXPECT_EQ(a->accDoDefaultAction(Id(3)), CO_E_OBJNOTCONNECTED);
}
