// DessineHTML on a GDI DIB section with real fonts: the installer's seven messages and alignment, saved as PNG files.
#include <gtest/gtest.h>
#include <zlib.h>

#include "draw/win32/GdiCanvas.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "dialogs/UBM.h"
#include "installer/Messages.h"
#include "markup/DessineHTML.h"

namespace {

// Forwards to a GdiCanvas and records every text drawn.
class RecordingCanvas : public Canvas {
public:
  struct Text {
    int x, y, width, height;
    std::string s;
  };
  explicit RecordingCanvas(Canvas& inner) : c_(inner) {}
  std::vector<Text> texts;

  const Font& GetFont() const override { return c_.GetFont(); }
  void SetFont(const Font& f) override { c_.SetFont(f); }
  const Pen& GetPen() const override { return c_.GetPen(); }
  void SetPen(const Pen& p) override { c_.SetPen(p); }
  const Brush& GetBrush() const override { return c_.GetBrush(); }
  void SetBrush(const Brush& b) override { c_.SetBrush(b); }
  void TextOut(int x, int y, std::string_view s) override {
    texts.push_back({x, y, c_.TextWidth(s), c_.TextHeight(s), std::string(s)});
    c_.TextOut(x, y, s);
  }
  int TextWidth(std::string_view s) override { return c_.TextWidth(s); }
  int TextHeight(std::string_view s) override { return c_.TextHeight(s); }
  void Rectangle(int x1, int y1, int x2, int y2) override { c_.Rectangle(x1, y1, x2, y2); }
  void FillRect(const Rect& r) override { c_.FillRect(r); }
  void MoveTo(int x, int y) override { c_.MoveTo(x, y); }
  void LineTo(int x, int y) override { c_.LineTo(x, y); }
  Colour GetPixel(int x, int y) override { return c_.GetPixel(x, y); }
  void SetPixel(int x, int y, Colour c) override { c_.SetPixel(x, y, c); }
  void CopyRect(const Rect& d, const Rect& s) override { c_.CopyRect(d, s); }
  void StretchDraw(const Rect& d, const Bitmap& b) override { c_.StretchDraw(d, b); }

private:
  Canvas& c_;
};

// A 24-bit PNG through zlib: signature, IHDR, one IDAT, IEND.
void Chunk(std::string& out, const char* type, const std::string& data) {
  auto be32 = [&](uint32_t v) {
    for (int s = 24; s >= 0; s -= 8) out.push_back(static_cast<char>(v >> s));
  };
  be32(static_cast<uint32_t>(data.size()));
  std::string body = std::string(type, 4) + data;
  out += body;
  be32(crc32(0, reinterpret_cast<const Bytef*>(body.data()), static_cast<uInt>(body.size())));
}

bool SavePng(const std::string& path, const Bitmap& b) {
  std::string raw;
  for (int y = 0; y < b.Height; ++y) {
    raw.push_back(0);
    for (int x = 0; x < b.Width; ++x) {
      Colour c = b.At(x, y);
      raw.push_back(static_cast<char>(c));
      raw.push_back(static_cast<char>(c >> 8));
      raw.push_back(static_cast<char>(c >> 16));
    }
  }
  uLongf n = compressBound(static_cast<uLong>(raw.size()));
  std::string z(n, '\0');
  if (compress2(reinterpret_cast<Bytef*>(z.data()), &n, reinterpret_cast<const Bytef*>(raw.data()),
                static_cast<uLong>(raw.size()), 9) != Z_OK)
    return false;
  z.resize(n);
  std::string ihdr;
  for (uint32_t v : {static_cast<uint32_t>(b.Width), static_cast<uint32_t>(b.Height)})
    for (int s = 24; s >= 0; s -= 8) ihdr.push_back(static_cast<char>(v >> s));
  ihdr += std::string("\x08\x02\x00\x00\x00", 5);
  std::string png = "\x89PNG\r\n\x1a\n";
  Chunk(png, "IHDR", ihdr);
  Chunk(png, "IDAT", z);
  Chunk(png, "IEND", "");
  std::ofstream f(path, std::ios::binary);
  f << png;
  return static_cast<bool>(f);
}

std::string PngFolder() {
  const char* d = std::getenv("BRANNOCH_PNG_DIR");
  return d && *d ? std::string(d) + "/" : std::string();
}

// The bounding box of the pixels that are not white, empty when none.
Rect Ink(DibSection& dib) {
  Rect r{dib.Width(), dib.Height(), -1, -1};
  for (int y = 0; y < dib.Height(); ++y)
    for (int x = 0; x < dib.Width(); ++x)
      if (dib.Pixel(x, y) != clWhite) {
        r.left = std::min(r.left, x);
        r.top = std::min(r.top, y);
        r.right = std::max(r.right, x + 1);
        r.bottom = std::max(r.bottom, y + 1);
      }
  return r;
}

TEST(DessineHTMLOnGdi, TheInstallersMessagesLayOutWithinTheBoxByTheirOwnFontMetrics) {
  const int X = ubm::MargeGauche, Y = ubm::HautDuMessage, W = ubm::LargeurClient - 40;
  const auto messages = installer::AllMessages();
  ASSERT_EQ(messages.size(), 7u);
  int n = 0;
  for (const auto& [title, message] : messages) {
    ++n;
    SCOPED_TRACE(title);
    DibSection dib(ubm::LargeurClient, 600, 24);
    dib.Fill(clWhite);
    RecordingCanvas rec(dib.Canvas());
    const int defaut = rec.TextHeight("W");
    const int y = DessineHTML(rec, X, Y, W, ubm::TexteDuMessage(message), clWhite);
    ASSERT_FALSE(rec.texts.empty());

    // Every word ends within the right limit (none is wider than the box).
    for (const auto& t : rec.texts) {
      EXPECT_GE(t.x, X - 1) << t.s;
      EXPECT_LE(t.x + t.width, X + W) << t.s;
    }
    // Lines: items share a top; the next line starts below the tallest item
    // of the line before, plus whole empty lines of the default height.
    std::map<int, int> lines;  // top -> tallest item
    for (const auto& t : rec.texts) lines[t.y] = std::max(lines[t.y], t.height);
    EXPECT_EQ(lines.begin()->first, Y);
    for (auto it = lines.begin(); std::next(it) != lines.end(); ++it) {
      int gap = std::next(it)->first - it->first - it->second;
      EXPECT_GE(gap, 0);
      EXPECT_EQ(gap % defaut, 0) << "line at " << it->first;
    }
    // The result is just below the last line: no extra empty line at the end.
    EXPECT_EQ(y, lines.rbegin()->first + lines.rbegin()->second);

    Rect ink = Ink(dib);
    EXPECT_GE(ink.left, X - 1);       // "<I>" at a line start nudges the pen left
    EXPECT_LE(ink.right, X + W + 2);  // italic overhang
    EXPECT_GE(ink.top, Y);
    EXPECT_LE(ink.bottom, y);
    Bitmap shot = dib.ToBitmap();
    shot.Height = std::min(shot.Height, y + Y);
    shot.Pixels.resize(static_cast<size_t>(shot.Width) * shot.Height);
    EXPECT_TRUE(SavePng(PngFolder() + "message-" + std::to_string(n) + ".png", shot));
  }
}

TEST(DessineHTMLOnGdi, RightAndCentredLinesAreMovedByThePixelsOfTheirOwnWidth) {
  const int X = 10, Y = 5, W = 301;
  for (char align : {'R', 'C'}) {
    DibSection got(400, 60, 24), want(400, 60, 24);
    got.Fill(clWhite);
    want.Fill(clWhite);
    std::string tag = align == 'R' ? "<P ALIGN=RIGHT>" : "<P ALIGN=CENTER>";
    int defaut = got.Canvas().TextHeight("W");
    int y = DessineHTML(got.Canvas(), X, Y, W, tag + "Brannoch", clWhite);

    GdiCanvas& c = want.Canvas();
    Font f = c.GetFont();
    f.Name = "Tahoma";
    f.Size = 10;
    f.Color = clBlack;
    c.SetFont(f);
    c.SetBrush({clWhite, BrushStyle::Clear});
    int w = c.TextWidth("Brannoch");
    int x = align == 'R' ? X + W - w : X + (W - w) / 2;
    c.TextOut(x, Y + defaut, "Brannoch");
    EXPECT_EQ(y, Y + defaut + c.TextHeight("Brannoch"));
    Bitmap a = got.ToBitmap(), b = want.ToBitmap();
    EXPECT_TRUE(a.Pixels == b.Pixels) << align;
  }
}

}  // namespace
