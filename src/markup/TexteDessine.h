#pragma once
// What a markup text's drawing shows as text, for assistive technology: read
// back from DessineHTML's own drawing, not from a second reading of the
// markup, so that it says what the renderer draws and nothing else.

#include <string>

#include "draw/Canvas.h"

class HTMLItems;

// The text that DessineHTML(mesure, X, Y, Width, Text, BackColour, items)
// draws, in the order it draws it, each painted line followed by "\r\n"
// without the blanks at its end (an empty line is "\r\n" alone). It reads
// what the surface ends up showing: a word drawn twice for its shadow reads
// once, text moved (a glued part to the next line, a line sideways) reads
// where it went, text painted over reads no more, and pictures say nothing.
// Texts drawn apart by a space or more (a field's value and labels) read
// with a space between them; control characters read as spaces. Nothing is
// drawn on mesure: it only measures, and DessineHTML sets its font. A
// drawing that an error of the system stops (a malformed number, a picture
// that cannot be read) reads as far as it went.
std::string TexteDessine(Canvas& mesure, int X, int Y, int Width, const std::string& Text, Colour BackColour,
                         HTMLItems& items);
