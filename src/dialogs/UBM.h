#pragma once
// The message box's rules, apart from its window: how the message reaches the
// label, which buttons a caption list makes and where they go, the letters
// that answer them, and what a key or a button name answers. TFMB (the
// window, in the Win32 layer) applies them in BoiteMessage.

#include <optional>
#include <string>
#include <vector>

#include "common/ShortString.h"
#include "draw/Canvas.h"

namespace ubm {

inline constexpr int LargeurBouton = 135, HauteurBouton = 27;
inline constexpr int MargeGauche = 20;  // left of the label and of each row
inline constexpr int HautDuMessage = 5;
inline constexpr int HautDeLaFenetre = 106;
inline constexpr int LargeurClient = 481, HauteurClient = 528;  // as designed

// The message as LeMessage shows it: every "#13" becomes a carriage return,
// then every carriage return becomes "<P>".
std::string TexteDuMessage(const std::string& Message);

// The captions of a button list, in order: items separated by carriage
// returns or "#13", each cut to 255 characters and stripped of spaces at both
// ends; empty items make no caption.
std::vector<ShortString> Legendes(const std::string& Boutons);

// Records the accelerator of one caption: the character after its first "&"
// upper-cased (a-z only); a caption without "&" gets its first character and
// an "&" in front (cut to 255). A caption whose only "&" is its last
// character gets 0, a letter no key answers, so that Touches still holds one
// entry per button.
char ToucheDe(ShortString& Legende);

// One button as the box creates it.
struct BoutonBM {
  ShortString Caption;  // with its "&"
  std::string Name;     // "B1", "B2" ...
  Rect Bounds;
  std::string Glyphe;  // the caption without "&" and ".BMP": the glyph file
};

struct DispositionBM {
  std::vector<BoutonBM> Boutons;
  ShortString Touches;  // one letter per button, at most 255
  int ClientHeight = 0;
};

// The buttons of Boutons under a label LabelHeight high, on a window whose
// outer width (client plus frame) is OuterWidth: rows from x = 20 with a step
// of 140 while OuterWidth - 145 is not less than x, then 30 pixels lower; the
// client height is the last row's top + 37.
DispositionBM Dispose(const std::string& Boutons, int LabelHeight, int OuterWidth);

// What a typed character answers: its 1-based position in Touches (first
// occurrence, a-z compared upper-cased), 0 when absent. The window closes
// when it is not 0.
int ReponseTouche(const ShortString& Touches, char Key);

// What a key going down answers: Enter 1, Escape 0; nothing for other keys.
std::optional<int> ReponseToucheBas(int VirtualKey);

// The number in a box button's name ("B12" gives 12); 0 for another name.
int NumeroDuBouton(const std::string& Name);

}  // namespace ubm
