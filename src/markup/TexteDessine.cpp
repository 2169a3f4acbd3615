#include "markup/TexteDessine.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <utility>
#include <vector>

#include "common/Errors.h"
#include "markup/DessineHTML.h"

namespace {

bool Blanc(char c) { return c == ' ' || c == '\xA0'; }

// A character as it reads: control characters, which the surface shows as
// no letter, as spaces.
char Lu(char c) { return static_cast<unsigned char>(c) < 0x20 ? ' ' : c; }

bool Dans(const Rect& r, int x, int y) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }

// A text as the surface shows it now: the top-left of its cell, its width
// and the width of a space in its font.
struct Trace {
  int X, Y, Largeur, Espace;
  Colour Couleur;
  std::string Texte;
};

// Whether b stands apart from a, the text read before it on its line: on
// another row, or a space or more from where a ends (tags nudge the pen by
// a pixel or two between the parts of a word).
bool Separes(const Trace& a, const Trace& b) {
  return a.Y != b.Y || std::llabs(int64_t{b.X} - a.X - a.Largeur) >= b.Espace;
}

// A canvas that measures on another and draws nothing: it keeps the texts
// drawn where they are, moves them with the pixels a copy moves, drops those
// a fill covers, and writes each line out as the renderer finishes it.
class LectureDeRendu : public Canvas, public SuiviDesLignes {
public:
  explicit LectureDeRendu(Canvas& mesure) : mesure_(mesure) {}

  const Font& GetFont() const override { return mesure_.GetFont(); }
  void SetFont(const Font& f) override { mesure_.SetFont(f); }
  const Pen& GetPen() const override { return pen_; }
  void SetPen(const Pen& p) override { pen_ = p; }
  const Brush& GetBrush() const override { return brush_; }
  void SetBrush(const Brush& b) override { brush_ = b; }
  int TextWidth(std::string_view text) override { return mesure_.TextWidth(text); }
  int TextHeight(std::string_view text) override { return mesure_.TextHeight(text); }
  Colour ResolveColour(Colour c) override { return mesure_.ResolveColour(c); }

  void TextOut(int x, int y, std::string_view text) override;
  void Rectangle(int x1, int y1, int x2, int y2) override {
    if (x1 > x2) std::swap(x1, x2);
    if (y1 > y2) std::swap(y1, y2);
    FillRect({x1, y1, x2, y2});
  }
  void FillRect(const Rect& r) override {
    if (brush_.Style == BrushStyle::Solid) Couvre(r);
  }
  void MoveTo(int, int) override {}
  void LineTo(int, int) override {}
  // Nothing is drawn, so every pixel reads as the white of a blank surface.
  Colour GetPixel(int, int) override { return clWhite; }
  void SetPixel(int, int, Colour) override {}
  void CopyRect(const Rect& dest, const Rect& src) override;
  void StretchDraw(const Rect& dest, const Bitmap&) override { Couvre(dest); }

  void LigneFinie(int Bas) override;

  // The lines written out so far, and what is left on the surface (a drawing
  // cut short by an error) as one line more.
  std::string Texte();

private:
  void Couvre(const Rect& r) {
    std::erase_if(traces_, [&](const Trace& t) { return Dans(r, t.X, t.Y); });
  }
  void Ecrit(const std::vector<Trace>& ligne);

  Canvas& mesure_;
  Pen pen_;
  Brush brush_;
  std::vector<Trace> traces_;  // on the surface, not yet written out, in the order drawn
  std::string texte_;
};

void LectureDeRendu::TextOut(int x, int y, std::string_view text) {
  if (text.empty()) return;
  // A shadowed word is drawn in black one pixel right and down, then the word
  // itself over it: the shadow is no text of its own.
  if (!traces_.empty()) {
    const Trace& d = traces_.back();
    if (d.Texte == text && d.Couleur == clBlack && int64_t{d.X} == int64_t{x} + 1 && int64_t{d.Y} == int64_t{y} + 1)
      traces_.pop_back();
  }
  traces_.push_back({x, y, TextWidth(text), TextWidth(" "), GetFont().Color, std::string(text)});
}

// What the copy puts on dest replaces what was there; what it copies stays
// on src too until something paints over it, as the renderer's moves do.
void LectureDeRendu::CopyRect(const Rect& dest, const Rect& src) {
  const int64_t dx = int64_t{dest.left} - src.left, dy = int64_t{dest.top} - src.top;
  std::vector<Trace> apres;
  apres.reserve(traces_.size());
  for (Trace& t : traces_) {
    const bool copiee = Dans(src, t.X, t.Y);
    Trace copie = copiee ? t : Trace{};
    if (!Dans(dest, t.X, t.Y)) apres.push_back(std::move(t));
    if (copiee) {
      // Within dest, which is an area of the surface, since src is as large.
      copie.X = static_cast<int>(copie.X + dx);
      copie.Y = static_cast<int>(copie.Y + dy);
      apres.push_back(std::move(copie));
    }
  }
  traces_ = std::move(apres);
}

// The texts above Bas belong to the finished line; those below it (the glued
// part of a word that moved down) start the next one.
void LectureDeRendu::LigneFinie(int Bas) {
  std::vector<Trace> ligne, reste;
  for (Trace& t : traces_) (t.Y < Bas ? ligne : reste).push_back(std::move(t));
  traces_ = std::move(reste);
  Ecrit(ligne);
}

void LectureDeRendu::Ecrit(const std::vector<Trace>& ligne) {
  const std::size_t debut = texte_.size();
  for (std::size_t i = 0; i < ligne.size(); ++i) {
    const Trace& t = ligne[i];
    if (i > 0 && texte_.size() > debut && !Blanc(texte_.back()) && !Blanc(Lu(t.Texte.front())) &&
        Separes(ligne[i - 1], t))
      texte_ += ' ';
    for (char ch : t.Texte) texte_ += Lu(ch);
  }
  while (texte_.size() > debut && Blanc(texte_.back())) texte_.pop_back();
  texte_ += "\r\n";
}

std::string LectureDeRendu::Texte() {
  if (!traces_.empty()) {
    std::vector<Trace> reste = std::move(traces_);
    traces_.clear();
    Ecrit(reste);
  }
  return texte_;
}

}  // namespace

std::string TexteDessine(Canvas& mesure, int X, int Y, int Width, const std::string& Text, Colour BackColour,
                         HTMLItems& items) {
  LectureDeRendu lecture(mesure);
  try {
    DessineHTML(lecture, X, Y, Width, Text, BackColour, items, lecture);
  } catch (const Exception&) {
    // The painting stops at the same place and leaves what it drew so far on
    // the screen: that is what there is to read.
  }
  return lecture.Texte();
}
