#include "Options.h"

#include "markup/Markup.h"

const char* const Usage =
    "usage: apercu [--width W] [--x X] [--y Y] [--back RRGGBB] [--font NAME --size PT] [FILE|-] OUT.png\n"
    "  draws the markup of FILE (or standard input) with DessineHTML on a white surface,\n"
    "  writes it to OUT.png and prints the returned y (defaults: width 400, x 20, y 5, back FFFFFF)\n";

std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string& error) {
  Options o;
  std::vector<std::string> files;
  auto number = [&](std::size_t& i, int& out) {
    int v;
    if (i + 1 >= args.size() || !TryStrToInt(args[i + 1], v)) {
      error = args[i] + " needs a number";
      return false;
    }
    out = v;
    ++i;
    return true;
  };
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--width") {
      if (!number(i, o.Width)) return std::nullopt;
    } else if (a == "--x") {
      if (!number(i, o.X)) return std::nullopt;
    } else if (a == "--y") {
      if (!number(i, o.Y)) return std::nullopt;
    } else if (a == "--size") {
      if (!number(i, o.FontSize)) return std::nullopt;
    } else if (a == "--font") {
      if (i + 1 >= args.size()) {
        error = "--font needs a name";
        return std::nullopt;
      }
      o.FontName = args[++i];
    } else if (a == "--back") {
      int v;
      if (i + 1 >= args.size() || args[i + 1].size() != 6 || !TryStrToInt("$" + args[i + 1], v)) {
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
  if (o.Width < 0) {
    error = "--width must not be negative";
    return std::nullopt;
  }
  return o;
}
