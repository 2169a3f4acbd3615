#pragma once
// Captions with "&" accelerators, as buttons and labels show and answer them:
// "&&" stands for one "&"; the character after the last single "&" is the
// accelerator and is shown underlined.

#include <string>
#include <string_view>

#include "draw/Canvas.h"

// Upper case of a-z only, the way typed characters are compared.
char UpCase(char c);

// The accelerator of a caption: the character after its last single "&";
// 0 when there is none (no "&", only "&&", or a trailing "&").
char AccelChar(std::string_view caption);

// A caption as drawn: the "&" markers removed ("&&" shown as "&"), and the
// position in Text of the accelerator to underline (-1 when none).
struct ShownCaption {
  std::string Text;
  int Underline = -1;
};
ShownCaption ShowCaption(std::string_view caption);

// Draws shown.Text at (x, y) in the canvas's font and brush, with its
// accelerator underlined two pixels above the bottom of the text cell.
void DrawShownCaption(Canvas& canvas, int x, int y, const ShownCaption& shown, bool rightToLeft = false);
