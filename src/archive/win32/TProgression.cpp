#include "archive/win32/TProgression.h"

#include "archive/Progression.h"

namespace win32 {

namespace {

constexpr int Largeur = 606, Hauteur = 158;
constexpr const char* Interrompu = "interrompu";

// 255, 255, 128 to 255, 167, 79.
constexpr Colour JauneClair = 8454143;
constexpr Colour Orange = 5220351;
// 1, 254, 254.
constexpr Colour Turquoise = 16711169;
// 236, 233, 216.
constexpr Colour FaceBouton = 14215660;

// 11 and 8 pixels high at 96 pixels per inch: MulDiv(points, 96, 72).
const Font Etroite{"Arial Narrow", 8, clWindowText, 0, 96};
const Font Petite{"Courier New", 6, clWindowText, 0, 96};

// A label that fits its text, placed by its left edge, or by its right edge
// when right-aligned (it then grows to the left).
void Place(Label& l, Form& f, int edge, int top, const char* text, Alignment a = Alignment::LeftJustify) {
  l.SetParent(&f);
  l.SetAlignment(a);
  l.SetBounds(edge, top, 0, 0);
  l.SetCaption(text);
}

}  // namespace

TProgression::TProgression(platform::Clock& clock, platform::Pump& pump)
    : Form("TProgression"), clock_(clock), pump_(pump) {
  SetCaption("Progression");
  SetBorderIcons(0);
  SetClientSize(Largeur, Hauteur);
  Form::SetPosition(FormPosition::Default);
  SetColor(clBtnFace);
  SetFont(PoliceProgression());

  Gradient1.BeginLoading();
  Gradient1.SetParent(this);
  Gradient1.SetBounds(0, 0, Largeur, Hauteur);
  Gradient1.SetAnchors(akLeft | akTop | akRight | akBottom);
  Gradient1.SetColorBegin(JauneClair);
  Gradient1.SetColorEnd(Orange);
  Gradient1.Loaded();

  Place(Label1, *this, 21, 5, "progression");
  Label1.SetTransparent(true);
  Place(Label6, *this, 22, 22, "Avancement");
  Label6.SetTransparent(true);

  ProgressBar1.SetParent(this);
  ProgressBar1.SetBounds(21, 49, 533, 18);
  ProgressBar1.SetRange(0, 100);

  Place(Label2, *this, 122, 68, "réalisé", Alignment::Center);
  Label2.SetColor(Turquoise);

  for (Label* l : {&Label3, &Label4, &Totale, &Label5, &Restante}) l->SetFont(Etroite);
  Place(Label3, *this, 23, 88, "Durée du traitement (estimation)");
  Label3.SetTransparent(true);
  Place(Label4, *this, 90, 104, "Totale :", Alignment::RightJustify);
  Label4.SetTransparent(true);
  Place(Totale, *this, 161, 104, "?", Alignment::RightJustify);
  Totale.SetColor(clWhite);
  Place(Label5, *this, 90, 120, "Restante :", Alignment::RightJustify);
  Label5.SetTransparent(true);
  Place(Restante, *this, 161, 120, "?", Alignment::RightJustify);
  Restante.SetColor(clWhite);

  SpeedButton1.SetParent(this);
  SpeedButton1.SetBounds(394, 104, 158, 29);
  SpeedButton1.SetCaption("Interrompre");
  SpeedButton1.SetParentColor(false);
  SpeedButton1.SetTransparent(false);
  SpeedButton1.SetColor(FaceBouton);
  SpeedButton1.SetGlyph(GlypheInterrompre());
  SpeedButton1.OnClick = [this](GraphicControl&) { SpeedButton1Click(); };

  Label7.SetParent(this);
  Label7.SetAutoSize(false);
  Label7.SetFont(Petite);
  Label7.SetBounds(395, 136, 156, 12);
  Label7.SetAlignment(Alignment::Center);
  Label7.SetTransparent(true);
}

void TProgression::SetPosition(int percent) {
  ProgressBar1.SetPosition(percent);
  const double elapsed = clock_.Now() - Debut;
  const TextesProgression t = TextesDeProgression(percent, ProgressBar1.Position(), elapsed);
  Label2.SetCaption(t.Label2);
  Totale.SetCaption(t.Totale);
  Restante.SetCaption(t.Restante);
  pump_.ProcessMessages();
  LetTheValueBeRead(pump_);
}

void TProgression::SpeedButton1Click() { Label2.SetCaption(Interrompu); }

void TProgression::FormShow() { Debut = clock_.Now(); }

void TProgression::FormClose(CloseAction&) { Label2.SetCaption(Interrompu); }

}  // namespace win32
