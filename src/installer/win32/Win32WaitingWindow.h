#pragma once
// The wait's waiting-window service on Win32.

#include <memory>

#include "installer/UAttente.h"
#include "installer/win32/TAttente.h"

namespace win32 {

// The wait's waiting window: one TAttente, never destroyed before the
// service itself.
class Win32WaitingWindow : public installer::WaitingWindow {
public:
  void SetCaption(const std::string& text) override { form_.SetCaption(text); }
  void SetText(const std::string& text) override { form_.Label1.SetCaption(text); }
  void Show() override { form_.Show(); }
  void Hide() override { form_.Hide(); }
  bool IsVisible() const override { return form_.Visible(); }

  TAttente& Form() { return form_; }

private:
  TAttente form_;
};

// The factory WaitServices::CreeAttente expects.
inline std::unique_ptr<installer::WaitingWindow> CreeAttente() { return std::make_unique<Win32WaitingWindow>(); }

}  // namespace win32
