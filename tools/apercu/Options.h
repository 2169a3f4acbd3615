#pragma once
// Command line of apercu.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "draw/Canvas.h"

// The ranges of the numeric options. Together they keep the surface within
// what a bitmap holds: at most 16000 + 16000 + 400 pixels wide.
inline constexpr int LargeurMax = 16000;   // --width, from 0
inline constexpr int PositionMax = 16000;  // --x and --y, from -PositionMax
inline constexpr int PointsMax = 1000;     // --size, from 1

struct Options {
  int Width = 400;
  int X = 20;
  int Y = 5;
  Colour Back = clWhite;  // BackColour passed to DessineHTML
  std::string FontName;   // the canvas font before the call (empty: the canvas default)
  int FontSize = 0;       // 0: the canvas default
  std::string Input = "-";
  std::string Output;
};

// Reads the whole number that follows the option args[i] into out and moves
// i onto it. False, with a message naming the option and its range, when the
// value is missing, not a whole number, or outside [min, max].
bool LitNombre(const std::vector<std::string>& args, std::size_t& i, int min, int max, int& out, std::string& error);

// Reads the arguments; on a mistake returns nothing and sets error.
std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string& error);

extern const char* const Usage;
