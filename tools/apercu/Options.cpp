#include "Options.h"

#include "markup/Markup.h"

const char* const Usage =
    "usage: apercu [--width W] [--x X] [--y Y] [--back RRGGBB] [--font NAME --size PT] [FILE|-] OUT.png\n"
    "  draws the markup of FILE (or standard input) with DessineHTML on a white surface,\n"
    "  writes it to OUT.png and prints the returned y (defaults: width 400, x 20, y 5, back FFFFFF;\n"
    "  W from 0 to 16000, X and Y from -16000 to 16000, PT from 1 to 1000)\n";

bool LitNombre(const std::vector<std::string>& args, std::size_t& i, int min, int max, int& out, std::string& error) {
  int v = 0;
  if (i + 1 >= args.size() || !TryStrToInt(args[i + 1], v) || v < min || v > max) {
    error = args[i] + " wants a whole number from " + std::to_string(min) + " to " + std::to_string(max);
    if (i + 1 < args.size()) error += ", not \"" + args[i + 1] + "\"";
    return false;
  }
  out = v;
  ++i;
  return true;
}

std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string& error) {
  Options o;
  std::vector<std::string> files;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--width") {
      if (!LitNombre(args, i, 0, LargeurMax, o.Width, error)) return std::nullopt;
    } else if (a == "--x") {
      if (!LitNombre(args, i, -PositionMax, PositionMax, o.X, error)) return std::nullopt;
    } else if (a == "--y") {
      if (!LitNombre(args, i, -PositionMax, PositionMax, o.Y, error)) return std::nullopt;
    } else if (a == "--size") {
      if (!LitNombre(args, i, 1, PointsMax, o.FontSize, error)) return std::nullopt;
    } else if (a == "--font") {
      if (i + 1 >= args.size()) {
        error = "--font needs a name";
        return std::nullopt;
      }
      o.FontName = args[++i];
    } else if (a == "--back") {
      int v;
      if (i + 1 >= args.size() || args[i + 1].size() != 6 ||
          args[i + 1].find_first_not_of("0123456789abcdefABCDEF") != std::string::npos ||
          !TryStrToInt("$" + args[i + 1], v)) {
        error = "--back needs a colour RRGGBB";
        return std::nullopt;
      }
      o.Back = EchangeRougeBleu(static_cast<uint32_t>(v));
      ++i;
    } else if (a.size() > 1 && a[0] == '-' && a != "-") {
      error = "unknown option " + a;
      return std::nullopt;
    } else {
      files.push_back(a);
    }
  }
  if (files.size() == 1) {
    o.Output = files[0];
  } else if (files.size() == 2) {
    o.Input = files[0];
    o.Output = files[1];
  } else {
    error = files.empty() ? "no output file" : "too many file names";
    return std::nullopt;
  }
  return o;
}
