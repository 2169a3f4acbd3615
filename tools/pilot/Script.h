#pragma once
// The pilot's script: which windows to answer and how. Texts are bytes in the
// system's ANSI code page, like the window titles they are matched against.

#include <stdexcept>
#include <string>
#include <vector>

namespace pilot {

// A script line that cannot be read; what() names the line.
class ScriptError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

enum class Verb {
  Key,           // a key press, possibly with modifiers: vk, mods
  Char,          // characters typed: text
  ClickPoint,    // a left click at client coordinates: x, y
  ClickButton,   // a left click on the form's button `button` of `buttons`
  ClickControl,  // a left click on the child control whose caption matches text
  Close,         // WM_CLOSE to the window
  CloseOther,    // WM_CLOSE to every visible top-level window whose title matches text
  Shot,          // one more screenshot of the window
  Texts,         // log the text of every child control of the window
  Sleep,         // wait ms milliseconds
  Run,           // start the command line text (tracked like the program)
  WaitWindow,    // wait until a visible top-level window whose title matches text shows
};

// Modifier bits of a key action.
constexpr int kShift = 1;
constexpr int kCtrl = 2;
constexpr int kAlt = 4;

struct Action {
  Verb verb{};
  std::string text;
  int vk = 0;
  int mods = 0;
  int x = 0;
  int y = 0;
  int button = 0;
  int buttons = 0;
  int ms = 0;
  std::string source;  // the action as written, for the log
};

struct Rule {
  std::string pattern;
  bool once = false;
  bool used = false;
  std::vector<Action> actions;
};

struct Script {
  std::vector<Action> before;        // run before the program starts
  std::vector<Rule> rules;           // tried in order for every window shown
  std::vector<std::string> expects;  // titles that must show before the run ends
  std::vector<std::string> snaps;    // titles photographed the moment they show
};

// Adds one line to the script (comments and blank lines add nothing).
// Throws ScriptError naming `where`.
void ParseLine(Script& script, const std::string& line, const std::string& where);

// Parses a whole script, one rule per line.
Script ParseScript(const std::string& text, const std::string& name);

// The first rule that takes a window of this title, or nullptr; marks a
// `once` rule used.
Rule* FindRule(Script& script, const std::string& title);

// Whether windows of this title are photographed the moment they show.
bool Snapped(const Script& script, const std::string& title);

// Glob match: "*" any run of bytes, "?" any one byte, everything else itself
// (letter case counts).
bool MatchTitle(const std::string& pattern, const std::string& title);

// The first of `rules` (each with a title `pattern`, `once` and `used`)
// whose pattern matches the title, a used `once` rule passed over; marks a
// `once` rule used. Null when none matches.
template <class R>
R* FirstRule(std::vector<R>& rules, const std::string& title) {
  for (auto& r : rules) {
    if (r.once && r.used) continue;
    if (!MatchTitle(r.pattern, title)) continue;
    if (r.once) r.used = true;
    return &r;
  }
  return nullptr;
}

// Client position of the centre of button `n` of `count` in a message box
// whose buttons sit in rows of three at lefts 20, 160, 300, 135 x 27, rows
// 30 pixels apart, the last row's top 37 pixels above the client bottom.
void ButtonCentre(int n, int count, int clientHeight, int& x, int& y);

}  // namespace pilot
