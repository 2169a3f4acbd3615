#pragma once
// What the progress window shows, apart from the window itself: the texts
// of an update of its position, and the picture of its "Interrompre" button.

#include <string>

#include "draw/Canvas.h"

// The texts of the progress window after SetPosition(percent), `elapsed`
// days after it was shown, with the bar at `shown` (the percentage as the
// bar keeps it, within its range).
struct TextesProgression {
  std::string Label2;    // " 50% réalisé en 10s "
  std::string Totale;    // the estimated whole duration, "???" at 0%
  std::string Restante;  // the estimated remaining duration, "0s" at 100%
};

// In doubles, in this order: at 0% the total is unknown and the remaining
// time shows the elapsed one; otherwise the total is elapsed * 100 / percent
// and what remains is total / 100 * (100 - percent), 0 at 100%.
TextesProgression TextesDeProgression(int percent, int shown, double elapsed);

// The window's font: Courier New 13 pixels high at 96 pixels per inch,
// which is 10 points (MulDiv(10, 96, 72) = 13), in the window-text colour.
Font PoliceProgression();

// The 16 x 16 glyph of "Interrompre", in the 16-colour system palette: a red
// diagonal cross, white along its upper-left edges and dark red along its
// lower-right ones, on silver (its top-left pixel, left out when drawn).
Bitmap GlypheInterrompre();
