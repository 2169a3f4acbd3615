// Which way a program is started: through the desktop shell only when the
// process is elevated and that shell takes it, else directly; either way with
// the arguments exactly as given.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Shell.h"

namespace {

using Calls = std::vector<std::string>;

struct Direct : platform::Shell {
  Calls Log;
  void Execute(const std::string& file, const std::string& parameters, const std::string& folder) override {
    Log.push_back(file + "|" + parameters + "|" + folder);
  }
};

struct Desktop : platform::DesktopShell {
  bool IsElevated = false, Reachable = false;
  Calls Log;
  bool Elevated() override { return IsElevated; }
  bool Execute(const std::string& file, const std::string& parameters, const std::string& folder) override {
    Log.push_back(file + "|" + parameters + "|" + folder);
    return Reachable;
  }
};

TEST(UnelevatedShell, StartsThroughTheDesktopOnlyWhenElevatedAndReachable) {
  // The application with blanks, quotes and cp1252 letters in its
  // parameters, then the manual with none.
  const Calls both = {"C:\\Brannoch\\Brannoch.EXE|\"C:\\Mes documents\\Appli été\"|C:\\Brannoch",
                      "C:\\Brannoch\\Brannoch.PDF||C:\\Brannoch"};
  struct Case {
    bool elevated, reachable;
    Calls desktop, direct;
  } cases[] = {
      {true, true, both, {}},     // the user's shell starts them
      {true, false, both, both},  // no desktop shell: started as before
      {false, true, {}, both},    // not elevated: the shell is not even asked
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "elevated " << c.elevated << " reachable " << c.reachable);
    Direct direct;
    Desktop desktop;
    desktop.IsElevated = c.elevated;
    desktop.Reachable = c.reachable;
    platform::UnelevatedShell shell(direct, desktop);
    shell.Execute("C:\\Brannoch\\Brannoch.EXE", "\"C:\\Mes documents\\Appli été\"", "C:\\Brannoch");
    shell.Execute("C:\\Brannoch\\Brannoch.PDF", "", "C:\\Brannoch");
    EXPECT_EQ(desktop.Log, c.desktop);
    EXPECT_EQ(direct.Log, c.direct);
  }
}

}  // namespace
