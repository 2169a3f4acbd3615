// expand_bench PAYLOAD: the payload expanded as the installer expands it,
// through the Win32 file system, behind a progress window that shows
// nothing. Under Wine this is the floor of the installation's window phase:
// bench/window compares the real window with it.
#include <cstdio>
#include <memory>
#include <string>

#include "archive/UConcatene.h"
#include "common/Errors.h"
#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32FileSystem.h"

namespace {

class Silent : public ProgressWindow {
public:
  void SetCaption(const std::string&) override {}
  void SetLabel1(const std::string&) override {}
  void SetLabel2(const std::string& text) override { label2_ = text; }
  std::string Label2() const override { return label2_; }
  void SetLabel6(const std::string&) override {}
  void SetPosition(int) override {}
  void Show() override {}
  void Hide() override {}

private:
  std::string label2_;
};

// The expansion asks only when an interruption was asked for: never here.
class NoQuestion : public MessageBoxService {
public:
  int BoiteMessage(const std::string&, const std::string&, const std::string&, Colour) override { return 1; }
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: expand_bench PAYLOAD\n");
    return 2;
  }
  win32::Win32FileSystem files;
  win32::Win32Clock clock;
  NoQuestion box;
  ArchiveServices s{files, clock, box, [] { return std::make_unique<Silent>(); }};
  try {
    ExtraitArchive(s, ShortString(argv[1]));
  } catch (const Exception& e) {
    std::fprintf(stderr, "expand_bench: %s %s\n", e.ClassName(), e.Message().c_str());
    return 1;
  }
  return 0;
}
