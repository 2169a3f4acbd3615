// What window-less controls say to assistive technology, what their default
// action does, and when the bar tells its window that its value changed.
#include <gtest/gtest.h>

#include <ostream>
#include <utility>

#include "controls/CurvedSpeedButton.h"
#include "controls/Gradient.h"
#include "controls/Label.h"
#include "controls/ProgressBar.h"
#include "controls/SpeedButton.h"
#include "controls/UHTMLLabel.h"
#include "support/FakeControlParent.h"

void PrintTo(const AccessibleDescription& d, std::ostream* os) {
  const Rect& b = d.Bounds;
  *os << "{" << static_cast<int>(d.Role) << ", \"" << d.Name << "\", \"" << d.Value << "\", " << d.State << ", {"
      << b.left << ", " << b.top << ", " << b.right << ", " << b.bottom << "}, \"" << d.Shortcut << "\", \""
      << d.DefaultAction << "\"}";
}

TEST(Accessible, EachKindOfControlDescribesItself) {
  FakeControlParent p;
  Label fichier, vide, cache, pourcent, attente;
  SpeedButton oui, non;
  TCurvedSpeedButton interrompre;
  ProgressBar a4, a100;
  TGradient fond;
  THTMLLabel message, blanc;
  for (GraphicControl* c :
       std::initializer_list<GraphicControl*>{&fichier, &vide, &cache, &pourcent, &attente, &oui, &non, &interrompre,
                                              &a4, &a100, &fond, &message, &blanc}) {
    c->SetParent(&p);
    c->SetBounds(10, 20, 100, 25);
  }
  fichier.SetCaption("&Fichier");
  cache.SetCaption("Fichier");
  cache.SetVisible(false);
  pourcent.SetCaption(" 7% réalisé en 0s ");
  attente.SetAutoSize(false);
  attente.SetWordWrap(true);
  attente.SetCaption("\rBrannoch.EXE est en cours\rArrêtez-le");
  oui.SetCaption("&Oui");
  oui.SetEnabled(false);
  non.SetCaption("&Non");
  non.MouseDown(MouseButton::Left, 5, 5);
  interrompre.SetCaption("Interrompre");
  a4.SetPosition(4);
  a100.SetPosition(100);
  message.SetCaption("Voulez-vous <B>lancer</B> ?<P>");
  blanc.SetCaption("<B> </B><P>");

  using R = AccessibleRole;
  const Rect b{10, 20, 110, 45};
  const std::pair<GraphicControl*, AccessibleDescription> cas[] = {
      // A label fits its text: 64 x 16 in Tahoma 10 pt on the raster font.
      {&fichier, {R::StaticText, "Fichier", "", asReadOnly, {10, 20, 74, 36}, "", ""}},
      {&vide, {}},
      {&cache, {}},
      {&pourcent, {R::StaticText, "7% réalisé en 0s", "", asReadOnly, {10, 20, 159, 36}, "", ""}},
      // Wrapped at 100 pixels, the empty first line left out.
      {&attente, {R::StaticText, "Brannoch.EXE\r\nest en\r\ncours\r\nArrêtez-le", "", asReadOnly, b, "", ""}},
      {&oui, {R::PushButton, "Oui", "", asUnavailable, b, "Alt+O", "Appuyer"}},
      {&non, {R::PushButton, "Non", "", asPressed, b, "Alt+N", "Appuyer"}},
      {&interrompre, {R::PushButton, "Interrompre", "", 0, b, "", "Appuyer"}},
      {&a4, {R::ProgressBar, "", "4%", asReadOnly, b, "", ""}},
      {&a100, {R::ProgressBar, "", "100%", asReadOnly, b, "", ""}},
      {&fond, {}},
      {&message, {R::StaticText, "Voulez-vous\r\nlancer ?\r\n\r\n", "", asReadOnly, b, "", ""}},
      {&blanc, {}},
  };
  for (std::size_t i = 0; i < std::size(cas); ++i) EXPECT_EQ(cas[i].first->Describe(), cas[i].second) << "case " << i;
}

TEST(Accessible, TheDefaultActionPressesAShownEnabledButtonOnce) {
  FakeControlParent p;
  SpeedButton oui, inactif, cache;
  TCurvedSpeedButton interrompre;
  Label fichier;
  fichier.SetCaption("Fichier");
  inactif.SetEnabled(false);
  cache.SetVisible(false);
  const std::pair<GraphicControl*, bool> cas[] = {
      {&oui, true}, {&interrompre, true}, {&inactif, false}, {&cache, false}, {&fichier, false}};
  for (auto [c, presse] : cas) {
    c->SetParent(&p);
    int clics = 0;
    c->OnClick = [&](GraphicControl&) { ++clics; };
    EXPECT_EQ(c->DoDefaultAction(), presse);
    EXPECT_EQ(clics, presse ? 1 : 0);
  }
}

TEST(Accessible, TheBarTellsItsParentOfEachChangeOfPositionWhileShown) {
  FakeControlParent p;
  ProgressBar bar;
  bar.SetParent(&p);
  for (int v : {4, 4, 150, 200, 100}) bar.SetPosition(v);  // 150 and 200 are kept at 100
  bar.SetRange(0, 50);                                     // clamped to 50
  bar.SetVisible(false);
  bar.SetPosition(10);
  EXPECT_EQ(bar.Position(), 10);
  bar.SetVisible(true);
  bar.SetPosition(11);
  EXPECT_EQ(p.valueChanged, (std::vector<GraphicControl*>{&bar, &bar, &bar, &bar}));
}
