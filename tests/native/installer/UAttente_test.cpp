// The running-instance wait: when it tries, when the waiting window comes and goes, when it ends.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "common/Errors.h"
#include "installer/UAttente.h"
#include "support/MemoryFileSystem.h"

using namespace installer;

namespace {

using platform::Access;
using platform::Disposition;
using platform::Share;

constexpr uint32_t Free = 0;
constexpr uint32_t InUse = platform::ErrorSharingViolation;
constexpr uint32_t Locked = platform::ErrorLockViolation;
constexpr uint32_t Denied = platform::ErrorAccessDenied;
constexpr uint32_t Missing = platform::ErrorFileNotFound;
constexpr int AttemptLimit = 100000;

// Everything the wait does, in order: "pump", "open N", "exists", "close",
// and the window's "create", "caption", "text", "show", "hide".
using Log = std::vector<std::string>;

class ScriptedFile : public platform::File {
public:
  explicit ScriptedFile(Log& log) : log_(log) {}
  uint32_t Read(void*, uint32_t, uint32_t*) override { return Unexpected("read"); }
  uint32_t Write(const void*, uint32_t, uint32_t*) override { return Unexpected("write"); }
  uint64_t Size() override { return Unexpected("size"); }
  uint32_t SetTimes(platform::FileTime, platform::FileTime, platform::FileTime) override { return Unexpected("times"); }
  uint32_t Close() override {
    log_.push_back("close");
    return 0;
  }

private:
  uint32_t Unexpected(const char* what) {
    ADD_FAILURE() << "the wait must not " << what;
    return 1;
  }
  Log& log_;
};

// The program file's state at attempt n (1-based) comes from a script.
class ScriptedFiles : public platform::FileSystem {
public:
  ScriptedFiles(Log& log, std::function<uint32_t(int)> script) : log_(log), script_(std::move(script)) {}

  std::unique_ptr<platform::File> Open(const std::string& path, Access access, Share share, Disposition disposition,
                                       uint32_t* error) override {
    EXPECT_EQ(path, "c:\\Brannoch\\Brannoch.EXE");
    EXPECT_EQ(access, Access::ReadWrite);
    EXPECT_EQ(share, Share::ReadWrite);
    EXPECT_EQ(disposition, Disposition::OpenExisting);
    ++attempts;
    log_.push_back("open " + std::to_string(attempts));
    state_ = script_(attempts);
    // A wait that should have ended fails the test instead of hanging it.
    if (attempts == AttemptLimit) {
      ADD_FAILURE() << "still waiting after " << AttemptLimit << " attempts";
      state_ = Free;
    }
    *error = state_;
    if (state_ != Free) return nullptr;
    return std::make_unique<ScriptedFile>(log_);
  }
  bool FileExists(const std::string& path) override {
    EXPECT_EQ(path, "c:\\Brannoch\\Brannoch.EXE");
    log_.push_back("exists");
    return state_ != Missing;
  }
  uint32_t CreateDirectory(const std::string&) override { return Unexpected(); }
  uint32_t CopyFile(const std::string&, const std::string&) override { return Unexpected(); }
  uint32_t DeleteFile(const std::string&) override { return Unexpected(); }
  std::string GetCurrentDirectory() override { return Unexpected(), ""; }
  uint32_t SetCurrentDirectory(const std::string&) override { return Unexpected(); }
  std::string SystemMessage(uint32_t) override { return Unexpected(), ""; }

  int attempts = 0;

private:
  uint32_t Unexpected() {
    ADD_FAILURE() << "the wait only opens and tests the program file";
    return 1;
  }
  Log& log_;
  std::function<uint32_t(int)> script_;
  uint32_t state_ = Free;
};

class RecordingWindow : public WaitingWindow {
public:
  explicit RecordingWindow(Log& log) : log_(log) {}
  void SetCaption(const std::string& v) override {
    caption = v;
    log_.push_back("caption");
  }
  void SetText(const std::string& v) override {
    text = v;
    log_.push_back("text");
  }
  void Show() override {
    visible = true;
    log_.push_back("show");
  }
  void Hide() override {
    visible = false;
    log_.push_back("hide");
  }
  bool IsVisible() const override { return visible; }

  std::string caption, text;
  bool visible = false;

private:
  Log& log_;
};

// Runs the wait over a script; onPump runs at every pump with the number of
// attempts made so far.
struct Harness {
  explicit Harness(std::function<uint32_t(int)> script) : files(log, std::move(script)) {}

  void Run() { AttendFermeture(services); }
  RecordingWindow* Window() { return static_cast<RecordingWindow*>(services.Attente.get()); }
  int Count(const std::string& what) const { return static_cast<int>(std::count(log.begin(), log.end(), what)); }

  struct CountingPump : platform::Pump {
    explicit CountingPump(Harness& owner) : h(owner) {}
    void ProcessMessages() override {
      h.log.push_back("pump");
      if (h.onPump) h.onPump(h.files.attempts);
    }
    Harness& h;
  };

  Log log;
  ScriptedFiles files;
  CountingPump pump{*this};
  std::function<void(int)> onPump;
  int created = 0;
  WaitServices services{pump, files, [this] {
                          ++created;
                          log.push_back("create");
                          return std::make_unique<RecordingWindow>(log);
                        }};
};

uint32_t FreeFrom(int attempt, int n) { return n >= attempt ? Free : InUse; }

}  // namespace

TEST(AttendFermeture, AFreeProgramEndsTheWaitAtOnceWithoutWindow) {
  Harness h([](int) { return Free; });
  h.Run();
  EXPECT_EQ(h.log, (Log{"pump", "open 1", "close"}));
  EXPECT_EQ(h.created, 0);
}

TEST(AttendFermeture, AMissingProgramEndsTheWaitAfterExactly499AttemptsWithoutWindow) {
  Harness h([](int) { return Missing; });
  h.Run();
  EXPECT_EQ(h.files.attempts, 499);
  EXPECT_EQ(h.Count("pump"), 499);
  EXPECT_EQ(h.Count("exists"), 1);
  EXPECT_EQ(h.Count("close"), 0);
  EXPECT_EQ(h.created, 0);
  EXPECT_EQ(h.log.back(), "exists");
}

TEST(AttendFermeture, AProgramInUseBringsTheWindowAt499AndTheFirstFreeOpenHidesIt) {
  Harness h([](int n) { return FreeFrom(1000, n); });
  h.onPump = [&](int made) {
    if (made >= 499) {
      ASSERT_NE(h.Window(), nullptr);
      EXPECT_TRUE(h.Window()->visible) << "after attempt " << made;
    } else {
      EXPECT_EQ(h.created, 0) << "after attempt " << made;
    }
  };
  h.Run();

  EXPECT_EQ(h.files.attempts, 1000);
  EXPECT_EQ(h.Count("pump"), 1000);
  EXPECT_EQ(h.created, 1);
  EXPECT_EQ(h.Count("exists"), 1);
  ASSERT_NE(h.Window(), nullptr);
  EXPECT_EQ(h.Window()->caption, "Installateur de Brannoch.EXE © Corvanel");
  EXPECT_EQ(h.Window()->text,
            "\rINSTALL.EXE a décelé que Brannoch.EXE est en cours d'execution. Pour poursuivre l'installation "
            "vous devez arrêter Brannoch.EXE\rSi ce n'était pas le cas interrompez \"INSTALL.EXE\" en pressant "
            "<Ctrl><Alt><Suppr>");
  EXPECT_FALSE(h.Window()->visible);

  auto at = std::find(h.log.begin(), h.log.end(), "open 499");
  EXPECT_EQ(Log(at, at + 6), (Log{"open 499", "exists", "create", "caption", "text", "show"}));
  EXPECT_EQ(Log(h.log.end() - 4, h.log.end()), (Log{"pump", "open 1000", "hide", "close"}));
}

TEST(AttendFermeture, AProgramFreedExactlyAt499IsShownThenHiddenAtOnce) {
  Harness h([](int n) { return FreeFrom(499, n); });
  h.Run();
  EXPECT_EQ(h.files.attempts, 499);
  EXPECT_EQ(Log(h.log.end() - 8, h.log.end()),
            (Log{"open 499", "exists", "create", "caption", "text", "show", "hide", "close"}));
}

TEST(AttendFermeture, ClosingTheWindowLetsTheWaitGoOnAndLeavesNothingToHide) {
  Harness h([](int n) { return FreeFrom(800, n); });
  // The title bar's close button only hides the window.
  h.onPump = [&](int made) {
    if (made == 600) h.Window()->visible = false;
  };
  h.Run();
  EXPECT_EQ(h.files.attempts, 800);
  EXPECT_EQ(h.Count("hide"), 0);
  EXPECT_EQ(h.Count("close"), 1);
  EXPECT_EQ(h.created, 1);
}

TEST(AttendFermeture, AProgramThatVanishesWhileTheWindowShowsEndsTheWait) {
  Harness h([](int n) { return n < 700 ? InUse : Missing; });
  h.Run();
  EXPECT_EQ(h.files.attempts, 700);
  EXPECT_EQ(Log(h.log.end() - 3, h.log.end()), (Log{"pump", "open 700", "hide"}));
}

TEST(AttendFermeture, AProgramMissingOnlyBefore499KeepsTheSilentWaitGoing) {
  // The open's refusal alone never ends the silent wait; the existence test
  // at attempt 499 decides.
  Harness h([](int n) { return n < 300 ? Missing : FreeFrom(900, n); });
  h.Run();
  EXPECT_EQ(h.files.attempts, 900);
  EXPECT_EQ(h.created, 1);
  EXPECT_EQ(h.Count("close"), 1);
}

TEST(AttendFermeture, ASecondWaitReusesTheWindowOfTheFirst) {
  int until = 600;
  Harness h([&](int n) { return FreeFrom(until, n); });
  h.Run();
  until = 1200;
  h.Run();
  EXPECT_EQ(h.created, 1);
  EXPECT_EQ(h.Count("show"), 2);
  EXPECT_FALSE(h.Window()->visible);
}

TEST(AttendFermeture, ALockViolationWaitsAsASharingViolationDoes) {
  Harness h([](int n) { return n < 600 ? Locked : Free; });
  h.Run();
  EXPECT_EQ(h.files.attempts, 600);
  EXPECT_EQ(h.created, 1);
  EXPECT_FALSE(h.Window()->visible);
  EXPECT_EQ(h.Count("close"), 1);
}

// A refusal that no running program explains ends the wait as the
// input/output error it is, instead of asking to stop a program for ever.
TEST(AttendFermeture, AnyOtherRefusalEndsTheWaitWithItsError) {
  // 21: the device is not ready.
  for (uint32_t code : {Denied, uint32_t{21}}) {
    Harness h([&](int) { return code; });
    try {
      h.Run();
      ADD_FAILURE() << "no error for " << code;
    } catch (const EInOutError& e) {
      EXPECT_EQ(e.ErrorCode(), code);
    }
    EXPECT_EQ(h.files.attempts, 1) << code;
    EXPECT_EQ(h.created, 0) << code;
  }
}

TEST(AttendFermeture, ARefusalWhileTheWindowShowsHidesItAndRaises) {
  Harness h([](int n) { return n < 700 ? InUse : Denied; });
  EXPECT_THROW(h.Run(), EInOutError);
  EXPECT_EQ(h.files.attempts, 700);
  ASSERT_NE(h.Window(), nullptr);
  EXPECT_FALSE(h.Window()->visible);
  EXPECT_EQ(Log(h.log.end() - 3, h.log.end()), (Log{"pump", "open 700", "hide"}));
}

// The same on the in-memory file system, whose faults stand for the ones
// Windows gives: a running program (32), a locked range (33), a read-only file (5).
struct MemoryWait {
  struct NoPump : platform::Pump {
    void ProcessMessages() override {}
  } pump;
  MemoryFileSystem fs;
  Log log;
  int windows = 0;
  WaitServices services{pump, fs, [this] {
                          ++windows;
                          return std::make_unique<RecordingWindow>(log);
                        }};

  MemoryWait() {
    fs.AddFile("C:\\Brannoch\\Brannoch.EXE", "program");
    // A wait that should have ended fails the test instead of hanging it.
    fs.BeforeCall = [this, opens = 0](MemoryFileSystem::Op op, const std::string&) mutable {
      if (op != MemoryFileSystem::Op::Open || ++opens != AttemptLimit) return;
      ADD_FAILURE() << "still waiting after " << AttemptLimit << " attempts";
      fs.ClearFaults();
      fs.SetReadOnly("C:\\Brannoch\\Brannoch.EXE", false);
      fs.SetInUse("C:\\Brannoch\\Brannoch.EXE", false);
    };
  }
};

TEST(AttendFermeture, OnTheMemoryFileSystemARunningOrLockedProgramWaitsAReadOnlyOneRaises) {
  {
    MemoryWait w;
    w.fs.SetInUse("C:\\Brannoch\\Brannoch.EXE", true);
    int opens = 0;
    w.fs.BeforeCall = [&](MemoryFileSystem::Op op, const std::string&) {
      if (op == MemoryFileSystem::Op::Open && ++opens == 520) w.fs.SetInUse("C:\\Brannoch\\Brannoch.EXE", false);
    };
    AttendFermeture(w.services);
    EXPECT_EQ(opens, 520);
    EXPECT_EQ(w.windows, 1);
    EXPECT_EQ(w.fs.OpenHandles(), 0);
  }
  {
    MemoryWait w;
    w.fs.AddFault({MemoryFileSystem::Op::Open, "c:\\brannoch\\brannoch.exe", Locked, 0, 0, 10});
    AttendFermeture(w.services);
    EXPECT_EQ(w.fs.CallsOf(MemoryFileSystem::Op::Open).size(), 11u);
    EXPECT_EQ(w.windows, 0);
  }
  {
    MemoryWait w;
    w.fs.SetReadOnly("C:\\Brannoch\\Brannoch.EXE", true);
    try {
      AttendFermeture(w.services);
      ADD_FAILURE() << "no error";
    } catch (const EInOutError& e) {
      EXPECT_EQ(e.Message(), "Accès au fichier refusé");
    }
    EXPECT_EQ(w.fs.CallsOf(MemoryFileSystem::Op::Open).size(), 1u);
    EXPECT_EQ(w.windows, 0);
    EXPECT_EQ(w.fs.Contents("C:\\Brannoch\\Brannoch.EXE"), "program");
  }
}
