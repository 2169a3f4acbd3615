#pragma once
// The expansion's progress window service on Win32.

#include <memory>

#include "archive/ProgressWindow.h"
#include "archive/win32/TProgression.h"

namespace win32 {

// The expansion's progress window: one TProgression.
class Win32ProgressWindow : public ProgressWindow {
public:
  Win32ProgressWindow(platform::Clock& clock, platform::Pump& pump) : form_(clock, pump) {}
  void SetCaption(const std::string& text) override { form_.SetCaption(text); }
  void SetLabel1(const std::string& text) override { form_.Label1.SetCaption(text); }
  void SetLabel2(const std::string& text) override { form_.Label2.SetCaption(text); }
  std::string Label2() const override { return form_.Label2.Caption(); }
  void SetLabel6(const std::string& text) override { form_.Label6.SetCaption(text); }
  void SetPosition(int percent) override { form_.SetPosition(percent); }
  void Show() override { form_.Show(); }
  void Hide() override { form_.Hide(); }

  TProgression& Form() { return form_; }

private:
  TProgression form_;
};

inline std::unique_ptr<ProgressWindow> CreeProgression(platform::Clock& clock, platform::Pump& pump) {
  return std::make_unique<Win32ProgressWindow>(clock, pump);
}

}  // namespace win32
