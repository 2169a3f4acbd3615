#pragma once
// The drawing pieces of pictures and form-field previews in markup: a
// picture stretched to a box, text cut into lines, the sunken text box of a
// field, and the small framed label with a drop shadow that names a field.

#include <initializer_list>
#include <string>
#include <vector>

#include "common/ShortString.h"
#include "draw/Canvas.h"

using TableauDeLignes = std::vector<ShortString>;

// Lines from point to point with a solid pen of that colour (each end point
// left out, as LineTo does); the pen keeps the colour.
void Traits(Canvas& canvas, Colour couleur, std::initializer_list<Point> points);

// The picture stretched to fill Box exactly.
void DessineImage(Canvas& canvas, const Rect& Box, const Bitmap& Picture);

// base with another face, size (points), style and colour.
Font PoliceDe(const Font& base, const std::string& nom, int taille, FontStyles style, Colour couleur);

// The font of the fields' texts and buttons: base with the face "Microsoft
// Sans Serif", regular, black, 10 points.
Font PoliceDesChamps(const Font& base);

// The lines of Text that fit Width in the canvas font, with 6 pixels to
// spare. A carriage return ends a paragraph; a line of a paragraph ends after
// its last space that leaves it narrow enough, or between characters when no
// space does; line feeds and carriage returns are left out of the lines.
// Every line holds at least one character of the text, so the cutting ends
// for every width. An empty text gives one empty line, and a Width narrower
// than "i" the whole text as one line (cut to 255).
TableauDeLignes DecoupeLignes(Canvas& canvas, int Width, const std::string& Text);

// A sunken text box on the edges of Box (its right and bottom edges drawn
// too), showing the lines of Text that fit inside, 15 pixels apart, in
// Microsoft Sans Serif 10 pt black. The inside is not filled; the text
// background and the pen are left transparent and black; the font returns.
void DessineZoneTexte(Canvas& canvas, const Rect& Box, const std::string& Text);

// Alignments of DessineBulle: where X is.
enum AlignementBulle { abGauche = 0, abDroite = 1, abCentre = 2 };

// A framed label of Text ("#13" or carriage returns break it into lines) in
// Tahoma Size pt TextColour on BackColour, 3 pixels of margin, at Y and with
// its left edge (abGauche), right edge (abDroite) or middle (abCentre) at X,
// over a shadow that darkens the pixels 3 pixels right and down by 0x404040.
// Returns the box it covers, shadow included (5 pixels more to the right and
// down than the frame). Font, brush and pen width return; the pen is left
// black.
Rect DessineBulle(Canvas& canvas, int X, int Y, const std::string& Text, int Size, Colour BackColour, Colour TextColour,
                  int Alignment);
