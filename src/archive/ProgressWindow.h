#pragma once
// The progress window as the expansion drives it: texts, position and the
// interruption request carried by the text of Label2.

#include <functional>
#include <memory>
#include <string>

class ProgressWindow {
public:
  virtual ~ProgressWindow() = default;
  virtual void SetCaption(const std::string& text) = 0;
  virtual void SetLabel1(const std::string& text) = 0;
  virtual void SetLabel2(const std::string& text) = 0;
  virtual std::string Label2() const = 0;
  virtual void SetLabel6(const std::string& text) = 0;
  // Updates the bar and the estimates, then lets pending window messages run.
  virtual void SetPosition(int percent) = 0;
  virtual void Show() = 0;
  virtual void Hide() = 0;
};

// Creates a new progress window, owned by the caller.
using ProgressFactory = std::function<std::unique_ptr<ProgressWindow>()>;
