#include "dialogs/UBM.h"

#include "common/TextUtils.h"
#include "controls/Accelerators.h"

namespace ubm {

namespace {
constexpr char CR = '\r';
constexpr int PasHorizontal = 140, PasVertical = 30;
constexpr int MargeDroite = 145;
constexpr int SousLeMessage = 15, SousLesBoutons = 37;
constexpr int VK_Return = 13, VK_Escape = 27;
}  // namespace

std::string TexteDuMessage(const std::string& Message) {
  std::string s = Message;
  RemplaceTout("#13", "\r", s, false);
  RemplaceTout("\r", "<P>", s, false);
  return s;
}

std::vector<ShortString> Legendes(const std::string& Boutons) {
  std::string liste = Boutons;
  RemplaceTout("#13", "\r", liste, false);
  if (liste.empty() || liste.back() != CR) liste.push_back(CR);
  std::vector<ShortString> r;
  while (!liste.empty()) {
    size_t p = liste.find(CR);
    ShortString item(std::string_view(liste).substr(0, p), 255);
    liste.erase(0, p + 1);
    OteEspaces(item);
    if (!item.empty()) r.push_back(item);
  }
  return r;
}

char ToucheDe(ShortString& Legende) {
  if (Legende.empty()) return 0;
  size_t p = Legende.str().find('&');
  if (p == std::string::npos) {
    char c = UpCase(Legende[0]);
    Legende.Insert(0, "&");
    return c;
  }
  return p + 1 < Legende.size() ? UpCase(Legende[p + 1]) : 0;
}

DispositionBM Dispose(const std::string& Boutons, int LabelHeight, int OuterWidth) {
  DispositionBM d;
  int x = MargeGauche, y = LabelHeight + SousLeMessage, n = 1;
  for (ShortString& legende : Legendes(Boutons)) {
    if (OuterWidth - MargeDroite < x) {
      x = MargeGauche;
      y += PasVertical;
    }
    BoutonBM b;
    d.Touches += ToucheDe(legende);
    b.Caption = legende;
    b.Name = "B" + std::to_string(n++);
    b.Bounds = Rect{x, y, x + LargeurBouton, y + HauteurBouton};
    ShortString nom = legende;
    RemplaceToutCourt("&", "", nom, false);
    b.Glyphe = nom + ".BMP";
    d.Boutons.push_back(std::move(b));
    x += PasHorizontal;
  }
  d.ClientHeight = y + SousLesBoutons;
  return d;
}

int ReponseTouche(const ShortString& Touches, char Key) {
  if (Key == 0) return 0;  // the entry of a button without a letter
  size_t p = Touches.str().find(UpCase(Key));
  return p == std::string::npos ? 0 : static_cast<int>(p) + 1;
}

std::optional<int> ReponseToucheBas(int VirtualKey) {
  if (VirtualKey == VK_Return) return 1;
  if (VirtualKey == VK_Escape) return 0;
  return std::nullopt;
}

int NumeroDuBouton(const std::string& Name) {
  if (Name.size() < 2 || Name[0] != 'B') return 0;
  int n = 0;
  for (size_t i = 1; i < Name.size(); ++i) {
    if (Name[i] < '0' || Name[i] > '9' || n > 100000) return 0;
    n = n * 10 + (Name[i] - '0');
  }
  return n;
}

}  // namespace ubm
