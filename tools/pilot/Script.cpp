#include "Script.h"

#include <cctype>
#include <cstdlib>

namespace pilot {
namespace {

struct Token {
  std::string text;
  bool quoted = false;
  size_t begin = 0;  // offsets in the line, for actions that take raw text
  size_t end = 0;
  bool IsSeparator() const { return !quoted && (text == ";" || text == "then"); }
};

std::vector<Token> Tokenize(const std::string& line, const std::string& where) {
  std::vector<Token> out;
  size_t i = 0;
  const size_t n = line.size();
  while (i < n) {
    if (line[i] == ' ' || line[i] == '\t') {
      ++i;
      continue;
    }
    Token t;
    t.begin = i;
    if (line[i] == ';') {
      t.text = ";";
      t.end = ++i;
    } else if (line[i] == '"') {
      t.quoted = true;
      ++i;
      bool closed = false;
      while (i < n) {
        char c = line[i++];
        if (c == '\\' && i < n && (line[i] == '"' || line[i] == '\\')) {
          t.text += line[i++];
        } else if (c == '"') {
          closed = true;
          break;
        } else {
          t.text += c;
        }
      }
      if (!closed) throw ScriptError(where + ": unterminated quote");
      t.end = i;
    } else {
      while (i < n && line[i] != ' ' && line[i] != '\t' && line[i] != ';') t.text += line[i++];
      t.end = i;
    }
    out.push_back(t);
  }
  return out;
}

bool ToInt(const std::string& s, int& v) {
  if (s.empty() || s.size() > 9) return false;
  for (char c : s)
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
  v = std::atoi(s.c_str());
  return true;
}

std::string Lower(std::string s) {
  for (auto& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

// Virtual-key code of a key name, 0 when unknown.
int KeyCode(const std::string& name) {
  if (name.size() == 1) {
    unsigned char c = static_cast<unsigned char>(name[0]);
    if (std::isalnum(c)) return std::toupper(c);
    return 0;
  }
  static const struct {
    const char* name;
    int vk;
  } keys[] = {
      {"enter", 0x0D},     {"return", 0x0D}, {"escape", 0x1B}, {"esc", 0x1B},      {"tab", 0x09},   {"space", 0x20},
      {"backspace", 0x08}, {"delete", 0x2E}, {"left", 0x25},   {"up", 0x26},       {"right", 0x27}, {"down", 0x28},
      {"home", 0x24},      {"end", 0x23},    {"pageup", 0x21}, {"pagedown", 0x22},
  };
  std::string l = Lower(name);
  for (const auto& k : keys)
    if (l == k.name) return k.vk;
  int f = 0;
  if (l[0] == 'f' && ToInt(l.substr(1), f) && f >= 1 && f <= 12) return 0x6F + f;
  return 0;
}

void ParseKey(Action& a, const std::string& spec, const std::string& where) {
  std::string rest = spec;
  for (;;) {
    size_t plus = rest.find('+');
    if (plus == std::string::npos || plus + 1 == rest.size()) break;
    std::string mod = Lower(rest.substr(0, plus));
    if (mod == "shift") a.mods |= kShift;
    else if (mod == "ctrl") a.mods |= kCtrl;
    else if (mod == "alt") a.mods |= kAlt;
    else throw ScriptError(where + ": unknown modifier \"" + mod + "\"");
    rest = rest.substr(plus + 1);
  }
  a.vk = KeyCode(rest);
  if (a.vk == 0) throw ScriptError(where + ": unknown key \"" + rest + "\"");
}

// One action from tokens [b, e) of the line.
Action ParseAction(const std::string& line, const std::vector<Token>& t, size_t b, size_t e, const std::string& where) {
  Action a;
  a.source = line.substr(t[b].begin, t[e - 1].end - t[b].begin);
  const std::string verb = Lower(t[b].text);
  const size_t args = e - b - 1;
  auto need = [&](size_t count) {
    if (args != count)
      throw ScriptError(where + ": \"" + verb + "\" takes " + std::to_string(count) +
                        (count == 1 ? " argument" : " arguments"));
  };
  if (verb == "key") {
    need(1);
    a.verb = Verb::Key;
    ParseKey(a, t[b + 1].text, where);
  } else if (verb == "char") {
    need(1);
    a.verb = Verb::Char;
    a.text = t[b + 1].text;
    if (a.text.empty()) throw ScriptError(where + ": \"char\" needs characters");
  } else if (verb == "click") {
    if (args == 0) throw ScriptError(where + ": \"click\" needs a target");
    const Token& target = t[b + 1];
    size_t comma = target.text.find(',');
    if (target.quoted) {
      need(1);
      a.verb = Verb::ClickControl;
      a.text = target.text;
    } else if (comma != std::string::npos) {
      need(1);
      a.verb = Verb::ClickPoint;
      if (!ToInt(target.text.substr(0, comma), a.x) || !ToInt(target.text.substr(comma + 1), a.y))
        throw ScriptError(where + ": bad point \"" + target.text + "\"");
    } else if ((target.text[0] == 'B' || target.text[0] == 'b') && ToInt(target.text.substr(1), a.button) &&
               a.button > 0) {
      a.verb = Verb::ClickButton;
      a.buttons = 0;
      if (args == 3 && Lower(t[b + 2].text) == "of") {
        if (!ToInt(t[b + 3].text, a.buttons) || a.buttons < a.button)
          throw ScriptError(where + ": bad button count \"" + t[b + 3].text + "\"");
      } else {
        need(1);
      }
    } else {
      throw ScriptError(where + ": bad click target \"" + target.text + "\"");
    }
  } else if (verb == "close") {
    need(0);
    a.verb = Verb::Close;
  } else if (verb == "close-other") {
    need(1);
    a.verb = Verb::CloseOther;
    a.text = t[b + 1].text;
  } else if (verb == "shot") {
    need(0);
    a.verb = Verb::Shot;
  } else if (verb == "texts") {
    need(0);
    a.verb = Verb::Texts;
  } else if (verb == "sleep") {
    need(1);
    a.verb = Verb::Sleep;
    if (!ToInt(t[b + 1].text, a.ms)) throw ScriptError(where + ": bad duration \"" + t[b + 1].text + "\"");
  } else if (verb == "run") {
    if (args == 0) throw ScriptError(where + ": \"run\" needs a command line");
    a.verb = Verb::Run;
    a.text = line.substr(t[b + 1].begin, t[e - 1].end - t[b + 1].begin);
  } else if (verb == "wait-window") {
    need(1);
    a.verb = Verb::WaitWindow;
    a.text = t[b + 1].text;
  } else {
    throw ScriptError(where + ": unknown action \"" + t[b].text + "\"");
  }
  return a;
}

std::vector<Action> ParseActions(const std::string& line, const std::vector<Token>& t, size_t from,
                                 const std::string& where) {
  std::vector<Action> out;
  size_t b = from;
  while (b < t.size()) {
    if (t[b].IsSeparator()) {
      ++b;
      continue;
    }
    size_t e = b;
    while (e < t.size() && !t[e].IsSeparator()) ++e;
    out.push_back(ParseAction(line, t, b, e, where));
    b = e;
  }
  if (out.empty()) throw ScriptError(where + ": no action");
  return out;
}

// "before:" and "once:" may carry the colon that reads naturally.
bool IsWord(const Token& t, const char* word) {
  if (t.quoted) return false;
  std::string l = Lower(t.text);
  return l == word || l == std::string(word) + ":";
}

}  // namespace

void ParseLine(Script& script, const std::string& raw, const std::string& where) {
  std::string line = raw;
  while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t')) line.pop_back();
  size_t first = line.find_first_not_of(" \t");
  if (first == std::string::npos || line[first] == '#') return;

  std::vector<Token> t = Tokenize(line, where);
  if (IsWord(t[0], "when")) {
    if (t.size() < 2 || !t[1].quoted) throw ScriptError(where + ": \"when\" needs a quoted title pattern");
    Rule r;
    r.pattern = t[1].text;
    size_t from = 2;
    if (from < t.size() && !t[from].quoted && t[from].text == ":") ++from;
    if (from < t.size() && IsWord(t[from], "once")) {
      r.once = true;
      ++from;
    }
    r.actions = ParseActions(line, t, from, where);
    script.rules.push_back(std::move(r));
  } else if (IsWord(t[0], "before")) {
    for (auto& a : ParseActions(line, t, 1, where)) script.before.push_back(std::move(a));
  } else if (IsWord(t[0], "expect")) {
    if (t.size() != 2 || !t[1].quoted) throw ScriptError(where + ": \"expect\" needs one quoted title pattern");
    script.expects.push_back(t[1].text);
  } else if (IsWord(t[0], "snap")) {
    if (t.size() != 2 || !t[1].quoted) throw ScriptError(where + ": \"snap\" needs one quoted title pattern");
    script.snaps.push_back(t[1].text);
  } else {
    throw ScriptError(where + ": a line starts with when, before, expect or snap");
  }
}

Script ParseScript(const std::string& text, const std::string& name) {
  Script s;
  size_t start = 0;
  int lineNo = 1;
  while (start <= text.size()) {
    size_t nl = text.find('\n', start);
    if (nl == std::string::npos) nl = text.size();
    ParseLine(s, text.substr(start, nl - start), name + ":" + std::to_string(lineNo));
    start = nl + 1;
    ++lineNo;
  }
  return s;
}

Rule* FindRule(Script& script, const std::string& title) { return FirstRule(script.rules, title); }

bool Snapped(const Script& script, const std::string& title) {
  for (const auto& p : script.snaps)
    if (MatchTitle(p, title)) return true;
  return false;
}

bool MatchTitle(const std::string& pattern, const std::string& title) {
  size_t p = 0, s = 0, star = std::string::npos, mark = 0;
  while (s < title.size()) {
    if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == title[s])) {
      ++p;
      ++s;
    } else if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      mark = s;
    } else if (star != std::string::npos) {
      p = star + 1;
      s = ++mark;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

void ButtonCentre(int n, int count, int clientHeight, int& x, int& y) {
  if (count < n) count = n;
  const int rows = (count + 2) / 3;
  const int row = (n - 1) / 3;
  const int column = (n - 1) % 3;
  const int lastTop = clientHeight - 37;
  x = 20 + 140 * column + 135 / 2;
  y = lastTop - 30 * (rows - 1 - row) + 27 / 2;
}

}  // namespace pilot
