#pragma once
// apercu's views of the progress window's parts: the gradient's pattern,
// the curved button, a duration's text, and (Windows) the window itself.
//
//   --gradient STYLE --from RRGGBB --to RRGGBB [--shift S] [--rotation R] [--reverse] OUT.png
//   --bouton W H [--pressed] [--caption T] [--couleur RRGGBB] OUT.png
//   --duree SECONDS
//   --progression PERCENT --ecoule SECONDS OUT.png        (Windows build)

#include <string>
#include <vector>

// Runs the view that the arguments ask for and sets its exit code (0 done,
// 1 after a mistake in the arguments or a file not written, with one line on
// the error stream); false when they ask for none of them.
bool RunVue(const std::vector<std::string>& args, int& code);

#ifdef _WIN32
// --progression: the real progress window, its client area saved from the
// screen. Same exit codes.
int Progression(const std::vector<std::string>& args);
#endif
