#include "installer/win32/TAttente.h"

namespace win32 {

namespace {
constexpr int Largeur = 510, Hauteur = 306;
constexpr int Bandeau = 16;
// Red 255, green 187, blue 192.
constexpr Colour Rose = 12631039;
}  // namespace

TAttente::TAttente() : Form("TAttente") {
  SetCaption("Attente");
  SetBounds(117, 212, Width(), Height());
  SetClientSize(Largeur, Hauteur);
  SetPosition(FormPosition::ScreenCenter);
  SetColor(Rose);
  SetFont(Font{"MS Sans Serif", 8, clWindowText, 0, 96});

  Label1.SetParent(this);
  Label1.SetAutoSize(false);
  Label1.SetBounds(0, 0, Largeur, Hauteur - Bandeau);
  Label1.SetAlignment(Alignment::Center);
  Label1.SetLayout(TextLayout::Center);
  Label1.SetWordWrap(true);
  Label1.SetTransparent(true);
  // Its own reading order, not the form's: right to left, which only a
  // system that reads right to left applies to a label; elsewhere the text
  // must read as written (drawn right to left, "<Suppr>" would lose its ">"
  // to the start of the line).
  Label1.SetRightToLeftReading(GetSystemMetrics(SM_MIDEASTENABLED) != 0);
  Label1.SetCaption(
      "Une importation étant en cours, veuillez patienter quelques instantsDès que possible, cette fenêtre se "
      "fermera automatiquement, pour poursuivre la suite de l'importation.");

  Label2.SetParent(this);
  Label2.SetAutoSize(false);
  Label2.SetBounds(0, Hauteur - Bandeau, Largeur, Bandeau);
  Label2.SetAlignment(Alignment::Center);
}

}  // namespace win32
