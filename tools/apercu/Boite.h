#pragma once
// apercu --boite: the markup text shown in the real message box (Windows).

#include <string>
#include <vector>

// Whether the arguments ask for the message box mode.
bool IsBoite(const std::vector<std::string>& args);

// apercu --boite BUTTONS [--titre T] [--couleur RRGGBB] [INPUT]: shows the text
// of INPUT (a file, or "-" for standard input, the default) with BoiteMessage
// and returns the number of the button chosen; 255 after a mistake in the
// arguments, an unreadable input or an error in the markup.
int Boite(const std::vector<std::string>& args);
