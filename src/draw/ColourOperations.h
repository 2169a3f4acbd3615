#pragma once
// Per-channel colour arithmetic and the painted pieces built on it: the
// darkened rectangle of a drop shadow, rows shaded from one colour to
// another, and the bevelled face of a button.
//
// The arithmetic takes RGB values (0x00BBGGRR; a system colour must be
// resolved first, e.g. with Canvas::ResolveColour). A channel is taken in
// place: red as 0..255, green as a multiple of 256 up to 0xFF00, blue as a
// multiple of 65536 up to 0xFF0000; the operations that draw resolve the
// colours they are given on their surface.

#include "draw/Canvas.h"

// Per channel in place, the nearest integer (halves to even) to
// (1 - f) * a + f * b, masked to the channel's bits: a half below a green or
// blue channel's bits is masked away, and for f outside 0..1 each channel
// wraps modulo 256.
Colour BlendColors(Colour a, Colour b, double f);

// Per channel a + b, at most 255.
Colour AddColors(Colour a, Colour b);

// Per channel a - b, at least 0.
Colour SubtractColors(Colour a, Colour b);

// Every pixel (x, y) with x1 <= x <= x2 and y1 <= y <= y2 becomes
// SubtractColors(pixel, shade); rows run from y1 down, or from y2 up when
// bottomUp is set (the same result). Nothing when x2 < x1 or y2 < y1.
void ShadeRect(Canvas& c, int x1, int y1, int x2, int y2, Colour shade, bool bottomUp);

// Rows y0 .. y0 + h, both included, shaded from top to bottom: row i has per
// channel in place round((q - i) / (q - p) * top) + round((i - p) / (q - p) *
// bottom) (halves to even, at most the channel's maximum), with p = y0 and
// q = y0 + h, drawn as the line (x0, i) to (x0 + w, i), end excluded. Rows
// whose line rectangle is not visible on the surface are skipped; nothing
// when h <= 0.
void FillGradientRect(Canvas& c, int x0, int y0, int w, int h, Colour top, Colour bottom);

// The button face at the origin: a one-pixel bevel (light 0xFFFFFF top and
// left, dark 0x464646 right and bottom, swapped when pressed), each line from
// its start point to its end excluded: top (0, 0)-(w - 1, 0), left
// (0, 0)-(0, h - 1), right (w, h)-(w, 0), bottom (w, h)-(0, h); inside it
// the rows 1 .. h - 1 shaded between face + light and face - light (reversed
// when pressed). Nothing when w < 2.
void DrawButtonFrame(Canvas& c, int w, int h, bool pressed, Colour face, Colour light);
