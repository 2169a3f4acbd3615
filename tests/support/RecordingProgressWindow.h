#pragma once
// Progress windows that write down every call made on them, for a test to
// read after they are gone.
//
// The log lines: "Caption <text>", "Label1 <text>", "Label2 <text>",
// "Label6 <text>", "Position <n>", "Show", "Hide", "Free", and "Press" for a
// press of the button. Like the real window, SetPosition overwrites Label2
// (with " <n>% réalisé", without the duration) and then lets "messages" run:
// OnSetPosition, which may Press() the button.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "archive/ProgressWindow.h"

class RecordingProgressWindow;

class ProgressRecorder {
public:
  std::vector<std::string> Events;
  int Created = 0;
  int Alive = 0;
  // Runs at the end of every SetPosition with the window and the percentage.
  std::function<void(RecordingProgressWindow&, int)> OnSetPosition;

  // A factory of windows that report to this recorder, which must outlive them.
  ProgressFactory Factory();
  // The percentages given to SetPosition, in order.
  std::vector<int> Positions() const;
  // The log lines that start with prefix, without it.
  std::vector<std::string> Texts(const std::string& prefix) const;
};

class RecordingProgressWindow : public ProgressWindow {
public:
  explicit RecordingProgressWindow(ProgressRecorder& r) : r_(r) {
    ++r_.Created;
    ++r_.Alive;
  }
  ~RecordingProgressWindow() override {
    --r_.Alive;
    r_.Events.push_back("Free");
  }
  void SetCaption(const std::string& text) override { r_.Events.push_back("Caption " + text); }
  void SetLabel1(const std::string& text) override { r_.Events.push_back("Label1 " + text); }
  void SetLabel2(const std::string& text) override {
    label2_ = text;
    r_.Events.push_back("Label2 " + text);
  }
  std::string Label2() const override { return label2_; }
  void SetLabel6(const std::string& text) override { r_.Events.push_back("Label6 " + text); }
  void SetPosition(int percent) override {
    r_.Events.push_back("Position " + std::to_string(percent));
    label2_ = " " + std::to_string(percent < 0 ? 0 : percent > 100 ? 100 : percent) + "% réalisé";
    if (r_.OnSetPosition) r_.OnSetPosition(*this, percent);
  }
  void Show() override {
    visible_ = true;
    r_.Events.push_back("Show");
  }
  void Hide() override {
    visible_ = false;
    r_.Events.push_back("Hide");
  }
  // The "Interrompre" button, or closing the window.
  void Press() {
    label2_ = "interrompu";
    r_.Events.push_back("Press");
  }
  bool Visible() const { return visible_; }

private:
  ProgressRecorder& r_;
  std::string label2_;
  bool visible_ = false;
};

inline ProgressFactory ProgressRecorder::Factory() {
  return [this] { return std::make_unique<RecordingProgressWindow>(*this); };
}

inline std::vector<int> ProgressRecorder::Positions() const {
  std::vector<int> p;
  for (const std::string& e : Events)
    if (e.rfind("Position ", 0) == 0) p.push_back(std::stoi(e.substr(9)));
  return p;
}

inline std::vector<std::string> ProgressRecorder::Texts(const std::string& prefix) const {
  std::vector<std::string> t;
  for (const std::string& e : Events)
    if (e.rfind(prefix, 0) == 0) t.push_back(e.substr(prefix.size()));
  return t;
}
