// apercu --progression: the real progress window as the expansion makes it,
// photographed from the screen.
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <iostream>

#include "Png.h"
#include "Vues.h"
#include "archive/win32/TProgression.h"
#include "archive/win32/Win32ProgressWindow.h"
#include "common/Echappe.h"
#include "controls/win32/Application.h"
#include "draw/win32/GdiCanvas.h"
#include "platform/Clock.h"
#include "platform/win32/Handles.h"

namespace {

constexpr int Echec = 1;
const std::string Archive = "C:\\Brannoch\\Brannoch.CTN";

// A clock standing at 0: the elapsed time is then exactly -Debut.
class HorlogeArretee : public platform::Clock {
public:
  double Now() override { return 0; }
};

int Erreur(const std::string& why) {
  std::cerr << "apercu: " << EchappeControles(why) << "\n";
  return Echec;
}

// Lets the window paint and the system put it on the screen.
void Attend(int ms) {
  const DWORD end = GetTickCount() + static_cast<DWORD>(ms);
  while (static_cast<int>(end - GetTickCount()) > 0) {
    win32::Application::Instance().ProcessMessages();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

// The client area of w as the screen shows it.
Bitmap Photographie(HWND w) {
  RECT r{};
  GetClientRect(w, &r);
  POINT origin{0, 0};
  ClientToScreen(w, &origin);
  DibSection dib(r.right, r.bottom, 32);
  win32::WindowDc screen(nullptr);
  BitBlt(dib.Handle(), 0, 0, r.right, r.bottom, screen.Get(), origin.x, origin.y, SRCCOPY);
  return dib.ToBitmap();
}

}  // namespace

int Progression(const std::vector<std::string>& args) {
  int percent = 0;
  double secondes = -1;
  bool avecPourcent = false;
  std::string out;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool valeur = i + 1 < args.size();
    if (a == "--progression" && valeur) {
      const std::string& v = args[++i];
      auto [p, ec] = std::from_chars(v.data(), v.data() + v.size(), percent);
      if (v.empty() || ec != std::errc() || p != v.data() + v.size())
        return Erreur("--progression wants a whole percentage");
      avecPourcent = true;
    } else if (a == "--ecoule" && valeur) {
      char* end = nullptr;
      secondes = std::strtod(args[++i].c_str(), &end);
      if (args[i].empty() || *end != '\0' || !std::isfinite(secondes) || secondes < 0)
        return Erreur("--ecoule wants a number of seconds, not negative");
    } else if ((a.size() > 1 && a[0] == '-') || !out.empty()) {
      return Erreur("usage: apercu --progression PERCENT --ecoule SECONDS OUT.png");
    } else {
      out = a;
    }
  }
  if (!avecPourcent || secondes < 0 || out.empty())
    return Erreur("usage: apercu --progression PERCENT --ecoule SECONDS OUT.png");

  HorlogeArretee horloge;
  win32::Win32ProgressWindow w(horloge, win32::Application::Instance());
  w.SetCaption("Déconcaténation de " + Archive);
  w.SetLabel1("Extraction des fichiers de l'archive " + Archive);
  w.SetLabel6("");
  w.SetLabel2("Réalisé");
  w.SetPosition(0);
  w.Show();
  w.SetLabel6("Extraction de brannoch.exe");
  w.SetLabel2("Réalisé");
  w.Form().Debut = -secondes / 86400;
  w.SetPosition(percent);
  UpdateWindow(w.Form().Handle());
  Attend(300);
  const Bitmap shot = Photographie(w.Form().Handle());
  w.Hide();
  if (!WritePng(out, shot)) return Erreur("cannot write " + out);
  return 0;
}
