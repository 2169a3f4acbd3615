#pragma once
// Pictures and form-field previews in markup: the items DessineHTML places
// for "<IMG", "<TEXTAREA" and "<INPUT", with their pictures from a cache.
// Nothing is interactive: a field is drawn as a picture of itself, labelled
// with its name and type.

#include "markup/DessineHTML.h"
#include "markup/Images.h"

class ElementsHTML : public HTMLItems {
public:
  explicit ElementsHTML(CacheImages& images) : images_(images) {}

  // The picture of SRC (its last four characters replaced by ".jpg") at the
  // pen, at its own size, WIDTH pixels wide with the height in proportion, or
  // WIDTH% of both (rounded, halves to even); nothing when the file is not
  // there. The line is as tall as the picture at least; the pen moves to one
  // past its right edge. A picture is never moved to the next line.
  void Image(MiseEnPage& state, const BaliseImage& tag) override;

  // A box of COLS x 8 + 20 by ROWS x 16 + 5 pixels at the pen showing the
  // text that followed the tag; the text after it continues at the left
  // margin on the line below the box (the line is not shifted for alignment).
  void ZoneTexte(MiseEnPage& state, const BaliseZoneTexte& tag) override;

  // By TYPE (lower-cased): "hidden", "text" (and any other or no type),
  // "int", "float", "date", "file", "password" give a text box SIZE x 8 + 5
  // by 21 pixels with the name labelled at its top right and the type at its
  // top left, on the next line when it does not fit; "image" the picture of
  // SRC, "checkbox" coché.jpg / noncoché.jpg and "radio" checked.jpg /
  // unchecked.jpg as CHECKED says (a missing picture shows the placeholder);
  // "reset" and "submit" a raised button showing VALUE.
  void Saisie(MiseEnPage& state, const BaliseSaisie& tag) override;

private:
  void ChampTexte(MiseEnPage& s, const BaliseSaisie& t, const std::string& type);
  void ChampImage(MiseEnPage& s, const std::string& nom, bool centre);
  void Bouton(MiseEnPage& s, const BaliseSaisie& t);

  CacheImages& images_;
};
