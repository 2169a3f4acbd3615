// Which way a program is started: through the desktop shell only when the
// process is elevated and that shell takes it, else directly; either way with
// the arguments exactly as given.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Shell.h"

namespace {

class RecordingDirect : public platform::Shell {
public:
  std::vector<std::string> Calls;
  void Execute(const std::string& file, const std::string& parameters, const std::string& folder) override {
    Calls.push_back(file + "|" + parameters + "|" + folder);
  }
};

class FakeDesktop : public platform::DesktopShell {
public:
  bool IsElevated = false;
  bool Reachable = false;
  std::vector<std::string> Calls;
  bool Elevated() override { return IsElevated; }
  bool Execute(const std::string& file, const std::string& parameters, const std::string& folder) override {
    Calls.push_back(file + "|" + parameters + "|" + folder);
    return Reachable;
  }
};

TEST(UnelevatedShell, StartsThroughTheDesktopOnlyWhenElevatedAndReachable) {
  struct Case {
    bool elevated, reachable;
    size_t desktopTries, directCalls;
  } cases[] = {
      {true, true, 1, 0},    // elevated: the user's shell starts it
      {true, false, 1, 1},   // elevated, no desktop shell: started as before
      {false, true, 0, 1},   // not elevated: the shell is not even asked
      {false, false, 0, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "elevated " << c.elevated << " reachable " << c.reachable);
    RecordingDirect direct;
    FakeDesktop desktop;
    desktop.IsElevated = c.elevated;
    desktop.Reachable = c.reachable;
    platform::UnelevatedShell shell(direct, desktop);
    shell.Execute("C:\\Brannoch\\Brannoch.EXE", "C:\\Appli", "C:\\Brannoch");
    EXPECT_EQ(desktop.Calls.size(), c.desktopTries);
    EXPECT_EQ(direct.Calls.size(), c.directCalls);
  }
}

TEST(UnelevatedShell, PassesTheArgumentsOnUnchanged) {
  // Blanks, quotes, an empty parameter list and cp1252 letters, as the
  // installer passes them.
  const std::vector<std::vector<std::string>> calls = {
      {"C:\\Brannoch\\Brannoch.EXE", "\"C:\\Mes documents\\Appli été\"", "C:\\Brannoch"},
      {"C:\\Brannoch\\Brannoch.PDF", "", "C:\\Brannoch"},
  };
  for (bool elevated : {true, false}) {
    RecordingDirect direct;
    FakeDesktop desktop;
    desktop.IsElevated = elevated;
    desktop.Reachable = true;
    platform::UnelevatedShell shell(direct, desktop);
    for (const auto& a : calls) shell.Execute(a[0], a[1], a[2]);
    const std::vector<std::string> expected = {
        "C:\\Brannoch\\Brannoch.EXE|\"C:\\Mes documents\\Appli été\"|C:\\Brannoch",
        "C:\\Brannoch\\Brannoch.PDF||C:\\Brannoch"};
    EXPECT_EQ(elevated ? desktop.Calls : direct.Calls, expected);
  }
}

}  // namespace
