#include "dialogs/win32/TFMB.h"

#include "dialogs/UBM.h"
#include "draw/win32/BitmapFile.h"
#include "markup/DessineHTML.h"

namespace win32 {

namespace {

std::unique_ptr<TFMB>& Instance() {
  static std::unique_ptr<TFMB> fmb;
  return fmb;
}

// A glyph is looked for in the current folder only: a caption that reads as
// a path names no glyph.
bool GlyphExists(const std::string& name) {
  if (name.find_first_of("\\/:") != std::string::npos) return false;
  DWORD a = GetFileAttributesA(name.c_str());
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

TFMB::TFMB() : Form("TFMB") {
  SetFont(Font{"Tahoma", 10, clWindowText, 0, 96});  // character height 13 pixels
  SetColor(clWhite);
  SetStayOnTop(true);
  SetPosition(FormPosition::ScreenCenter);
  SetClientSize(ubm::LargeurClient, ubm::HauteurClient);
  LeMessage.SetName("LeMessage");
  LeMessage.SetParent(this);
  LeMessage.SetBounds(ubm::MargeGauche, ubm::HautDuMessage, ubm::LargeurClient - 2 * ubm::MargeGauche, 13);
  LeMessage.SetAutoSize(true);
}

int TFMB::BoiteMessage(const std::string& Titre, const std::string& Message, const std::string& Boutons,
                       Colour Couleur) {
  SetTop(ubm::HautDeLaFenetre);
  const Colour ancienne = Color();
  if (Couleur != 0) SetColor(Couleur);
  // Whatever way the call ends: no button left, the colour back.
  struct FinDAppel {
    TFMB& f;
    bool couleur;
    Colour ancienne;
    ~FinDAppel() {
      f.DetruitBoutons();
      if (couleur) f.SetColor(ancienne);
    }
  } fin{*this, Couleur != 0, ancienne};

  SetCaption(Titre);
  LeMessage.SetCaption(ubm::TexteDuMessage(Message));
  const int largeur = ClientWidth() - 2 * ubm::MargeGauche;
  LeMessage.SetBounds(ubm::MargeGauche, ubm::HautDuMessage, largeur, LeMessage.Height());
  {
    // Measured on the window's own surface while it is hidden: nothing shows.
    WindowCanvas surface(*this);
    HTMLItems rien;
    LeMessage.SetHeight(DessineHTML(surface.Canvas(), ubm::MargeGauche, ubm::HautDuMessage, largeur,
                                    LeMessage.Caption(), clWhite, LeMessage.Elements() ? *LeMessage.Elements() : rien));
  }
  CreeBoutons(Boutons);
  Reponse = 0;
  Invalidate();
  ShowModal();
  return Reponse;
}

void TFMB::CreeBoutons(const std::string& Boutons) {
  ubm::DispositionBM d = ubm::Dispose(Boutons, LeMessage.Height(), Width());
  Touches = d.Touches;
  for (const ubm::BoutonBM& b : d.Boutons) {
    boutons_.push_back(std::make_unique<SpeedButton>());
    SpeedButton& s = *boutons_.back();
    s.SetParent(this);
    s.SetCaption(b.Caption.str());
    s.SetName(b.Name);
    s.SetBounds(b.Bounds.left, b.Bounds.top, b.Bounds.Width(), b.Bounds.Height());
    s.OnClick = [this](GraphicControl& sender) { LesSpeedButtonsClick(sender); };
    if (GlyphExists(b.Glyphe)) s.SetGlyph(LoadBitmapFile(b.Glyphe));
  }
  SetClientHeight(d.ClientHeight);
}

void TFMB::DetruitBoutons() {
  while (!boutons_.empty()) boutons_.erase(boutons_.begin());
}

void TFMB::LesSpeedButtonsClick(GraphicControl& Sender) {
  for (const auto& b : boutons_)
    if (b.get() == &Sender) Reponse = ubm::NumeroDuBouton(Sender.Name());
  Close();
}

void TFMB::FormShow() {
  for (const auto& b : boutons_) b->SetAnchors(akLeft | akBottom);
}

void TFMB::FormKeyDown(WORD& key, ShiftState) {
  if (std::optional<int> r = ubm::ReponseToucheBas(key)) {
    Reponse = *r;
    Close();
  }
}

void TFMB::FormKeyPress(char& key) {
  Reponse = ubm::ReponseTouche(Touches, key);
  if (Reponse != 0) Close();
}

void TFMB::FormResize() { Invalidate(); }

void TFMB::FormActivate() { Invalidate(); }

std::string TFMB::AccessibleText() const { return LeMessage.Describe().Name; }

GraphicControl* TFMB::DefaultControl() const { return boutons_.empty() ? nullptr : boutons_.front().get(); }

TFMB* FMB() { return Instance().get(); }

TFMB& CreeFMB() {
  if (!Instance()) Instance() = std::make_unique<TFMB>();
  return *Instance();
}

void LibereFMB() { Instance().reset(); }

int BoiteMessage(const std::string& Titre, const std::string& Message, const std::string& Boutons, Colour Couleur) {
  return CreeFMB().BoiteMessage(Titre, Message, Boutons, Couleur);
}

}  // namespace win32
