#pragma once
// A stand-in for the progress window, whose real version is still to come.

#include "archive/ProgressWindow.h"
#include "platform/Pump.h"

namespace win32 {

// A progress window that shows nothing but keeps its texts and lets window
// messages run at every update, as the real one does.
class SilentProgressWindow : public ProgressWindow {
public:
  explicit SilentProgressWindow(platform::Pump& pump) : pump_(pump) {}
  void SetCaption(const std::string&) override {}
  void SetLabel1(const std::string&) override {}
  void SetLabel2(const std::string& text) override { label2_ = text; }
  std::string Label2() const override { return label2_; }
  void SetLabel6(const std::string&) override {}
  void SetPosition(int) override { pump_.ProcessMessages(); }
  void Show() override {}
  void Hide() override {}

private:
  platform::Pump& pump_;
  std::string label2_;
};

}  // namespace win32
