#pragma once
// Colours as the system stores them, and the system colours by name.

#include <cstdint>

// 0x00BBGGRR, red in the low byte. A high byte of 0xFF names a system colour
// (low byte = index), resolved when drawn.
using Colour = uint32_t;

inline constexpr Colour clBlack = 0x000000;
inline constexpr Colour clWhite = 0xFFFFFF;

// The system colours, by their index in the platform's table.
inline constexpr Colour clScrollBar = 0xFF000000;
inline constexpr Colour clBackground = 0xFF000001;
inline constexpr Colour clActiveCaption = 0xFF000002;
inline constexpr Colour clInactiveCaption = 0xFF000003;
inline constexpr Colour clMenu = 0xFF000004;
inline constexpr Colour clWindow = 0xFF000005;
inline constexpr Colour clWindowFrame = 0xFF000006;
inline constexpr Colour clMenuText = 0xFF000007;
inline constexpr Colour clWindowText = 0xFF000008;
inline constexpr Colour clCaptionText = 0xFF000009;
inline constexpr Colour clActiveBorder = 0xFF00000A;
inline constexpr Colour clInactiveBorder = 0xFF00000B;
inline constexpr Colour clAppWorkSpace = 0xFF00000C;
inline constexpr Colour clHighlight = 0xFF00000D;
inline constexpr Colour clHighlightText = 0xFF00000E;
inline constexpr Colour clBtnFace = 0xFF00000F;
inline constexpr Colour clBtnShadow = 0xFF000010;
inline constexpr Colour clGrayText = 0xFF000011;
inline constexpr Colour clBtnText = 0xFF000012;
inline constexpr Colour clInactiveCaptionText = 0xFF000013;
inline constexpr Colour clBtnHighlight = 0xFF000014;
inline constexpr Colour cl3DDkShadow = 0xFF000015;
inline constexpr Colour cl3DLight = 0xFF000016;
inline constexpr Colour clInfoText = 0xFF000017;
inline constexpr Colour clInfoBk = 0xFF000018;
inline constexpr Colour clHotLight = 0xFF00001A;
inline constexpr Colour clGradientActiveCaption = 0xFF00001B;
inline constexpr Colour clGradientInactiveCaption = 0xFF00001C;
inline constexpr Colour clMenuHighlight = 0xFF00001D;
inline constexpr Colour clMenuBar = 0xFF00001E;

inline constexpr bool IsSystemColour(Colour c) { return (c >> 24) == 0xFF; }
inline constexpr int SystemColourIndex(Colour c) { return static_cast<int>(c & 0xFF); }

// The value a system colour index has in the platform's default scheme, for
// surfaces that have no running system to ask; mid grey for an index the
// platform does not define.
Colour DefaultSystemColour(int index);

// A colour as a surface without a running system shows it: system colours
// through DefaultSystemColour, others without their high byte.
inline Colour ResolveDefault(Colour c) {
  return IsSystemColour(c) ? DefaultSystemColour(SystemColourIndex(c)) : c & 0x00FFFFFF;
}
