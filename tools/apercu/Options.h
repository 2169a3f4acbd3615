#pragma once
// Command line of apercu.

#include <optional>
#include <string>
#include <vector>

#include "draw/Canvas.h"

struct Options {
  int Width = 400;
  int X = 20;
  int Y = 5;
  Colour Back = clWhite;  // BackColour passed to DessineHTML
  std::string FontName;   // the canvas font before the call (empty: the canvas default)
  int FontSize = 0;
  std::string Input = "-";
  std::string Output;
};

// Reads the arguments; on a mistake returns nothing and sets error.
std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string& error);

extern const char* const Usage;
