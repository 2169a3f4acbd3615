#pragma once
// The one renderer of markup texts: lays out and paints in one pass on a
// Canvas, and says how far down the text went.

#include <string>
#include <vector>

#include "common/ShortString.h"
#include "draw/Canvas.h"

class HTMLItems;

// What reads a drawing back (TexteDessine) follows its lines through this:
// where each one ends is not drawn, for an empty line nor for a left-aligned
// one. Painting has none.
class SuiviDesLignes {
public:
  virtual ~SuiviDesLignes() = default;
  // The line above Bas is finished: what comes next goes at Bas or lower.
  // Told after the line has moved sideways, if it does.
  virtual void LigneFinie(int Bas) = 0;
};

// Draws Text (markup, cp1252) with its top-left corner at (X, Y), wrapping at
// X + Width, and returns the y just below its last line. BackColour is the
// colour of the surface under the text: it paints the pixels vacated when a
// line or a glued part of a word is moved. The canvas font (face and size)
// only sets the height of empty lines; the text starts in Tahoma 10 pt black.
// The canvas font, brush and pen are put back on return. A malformed number
// in the markup raises EConvertError, and a position or font size that would
// leave the integer range (X + Width included) raises ERangeError; either
// leaves the canvas as it then is.
int DessineHTML(Canvas& canvas, int X, int Y, int Width, const std::string& Text, Colour BackColour);

// The same with pictures and form-field previews drawn by items.
int DessineHTML(Canvas& canvas, int X, int Y, int Width, const std::string& Text, Colour BackColour, HTMLItems& items);

// The same, telling suivi of every line it finishes.
int DessineHTML(Canvas& canvas, int X, int Y, int Width, const std::string& Text, Colour BackColour, HTMLItems& items,
                SuiviDesLignes& suivi);

// The call state of one DessineHTML, as items see it when they are placed.
struct MiseEnPage {
  Canvas& Surface;
  int PenX;
  int Y;             // top of the current line
  int LimiteDroite;  // X + Width
  int MargeGauche;
  int HauteurLigne;  // tallest item of the current line, 0 = none yet
  int HauteurParDefaut;
  int DerniereCoupure;
  char Alignement;  // 'L', 'C' or 'R'
  bool Ombre;
  Colour Fond;            // the caller's background colour
  SuiviDesLignes* Suivi;  // none when painting

  // Finishes the line from L to R: y moves below it and, centred or
  // right-aligned, its pixels move sideways.
  void FinDeLigne(int L, int R);
  // Tells Suivi, if any, that the line above Y is finished. Whatever moves
  // Y down without FinDeLigne (a rule, a form field) calls it.
  void LigneFinie() const {
    if (Suivi) Suivi->LigneFinie(Y);
  }
  // Paints a rectangle in the background colour and makes the text
  // background transparent.
  void Efface(int x1, int y1, int x2, int y2);
};

// What a picture, text area or input field tag says. Quoted values lose
// their first and last characters; numbers are already converted.
struct BaliseImage {
  ShortString Attributs;  // the prepared attribute list
  std::string Src;
  bool AvecLargeur = false;
  std::string Largeur;  // WIDTH= as written (it may hold "%")
};

struct BaliseZoneTexte {
  ShortString Attributs;
  std::string Nom, Valeur;
  int Lignes = 3, Colonnes = 40;
  // The markup text that follows the tag, up to "</TEXTAREA>" (at most 500
  // characters): it is taken off the reading and is the text shown.
  std::string Texte;
};

struct BaliseSaisie {
  ShortString Attributs;
  bool Coche = false;  // "CHECKED" (capitals) was in the tag
  std::string Nom, Type, Valeur, Src;
  int Taille = 20, LongueurMax = 20;
};

// Where pictures and form-field previews plug into the renderer. The tags are
// read and their attributes prepared by DessineHTML; an item draws at
// state.PenX, state.Y and updates the pen and line height. The defaults draw
// nothing and leave the state alone.
class HTMLItems {
public:
  virtual ~HTMLItems() = default;
  virtual void Image(MiseEnPage& state, const BaliseImage& tag);
  virtual void ZoneTexte(MiseEnPage& state, const BaliseZoneTexte& tag);
  virtual void Saisie(MiseEnPage& state, const BaliseSaisie& tag);
};
