#include "platform/win32/FontHandle.h"

#include <cstring>

namespace win32 {

GdiObject<HFONT> MakeFont(const Font& f) {
  LOGFONTA lf{};
  lf.lfHeight = -MulDiv(f.Size, f.PixelsPerInch, 72);
  lf.lfWeight = (f.Style & fsBold) ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = (f.Style & fsItalic) ? 1 : 0;
  lf.lfUnderline = (f.Style & fsUnderline) ? 1 : 0;
  lf.lfStrikeOut = (f.Style & fsStrikeOut) ? 1 : 0;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  lf.lfQuality = DEFAULT_QUALITY;
  lf.lfPitchAndFamily = DEFAULT_PITCH;
  strncpy(lf.lfFaceName, f.Name.c_str(), LF_FACESIZE - 1);
  return GdiObject<HFONT>(CreateFontIndirectA(&lf));
}

}  // namespace win32
