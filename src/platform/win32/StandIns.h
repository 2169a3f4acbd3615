#pragma once
// Plain stand-ins for windows whose real versions are still to come: the
// progress window shows nothing but keeps its texts and lets messages run.

#include "archive/ProgressWindow.h"
#include "platform/Pump.h"

namespace win32 {

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
