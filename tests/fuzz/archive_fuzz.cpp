// The payload expansion on arbitrary input: it either writes the members or
// raises one of the run-time library's errors, and in both cases it leaves
// no open file or window, writes nowhere but the payload's folder, and
// writes no member at all from an archive it refuses.
//
// First byte: bit 0 set, the rest is a raw archive that is compressed here
// (so that mutations reach the archive's table); clear, the rest is the
// payload file itself. Bits 1-2 choose a fault of the file system.
#include <zlib.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "archive/UConcatene.h"
#include "common/Errors.h"
#include "support/ManualClock.h"
#include "support/MemoryFileSystem.h"
#include "support/RecordingProgressWindow.h"
#include "support/ScriptedMessageBox.h"

namespace {

std::string Compressed(const uint8_t* data, size_t size) {
  uLongf n = compressBound(size);
  std::string z(4 + n, '\0');
  compress2(reinterpret_cast<Bytef*>(z.data() + 4), &n, data, size, 1);
  z.resize(4 + n);
  for (int i = 0; i < 4; ++i) z[i] = static_cast<char>(size >> (8 * i));
  return z;
}

void Check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const uint8_t mode = data[0];
  std::string payload = mode & 1 ? Compressed(data + 1, size - 1)
                                 : std::string(reinterpret_cast<const char*>(data + 1), size - 1);
  MemoryFileSystem fs;
  ManualClock clock;
  clock.Step = ManualClock::Millisecond;
  ScriptedMessageBox box;
  ProgressRecorder rec;
  // Presses of the button now and then, to go through the refusal.
  rec.OnSetPosition = [](RecordingProgressWindow& w, int p) {
    if (p % 3 == 0) w.Press();
  };
  fs.AddFile("C:\\P\\Brannoch.FCC", payload);
  switch (mode >> 1 & 3) {
    case 1: fs.SetFreeSpace(64 + size * 4); break;
    case 2: fs.AddFault({MemoryFileSystem::Op::Open, "", platform::ErrorAccessDenied, 0, 3}); break;
    case 3: fs.SetFreeSpace(size, MemoryFileSystem::DiskFull::Error); break;
  }
  ArchiveServices s{fs, clock, box, rec.Factory()};

  bool refused = false, ok = false, damaged = false;
  try {
    ExtraitArchive(s, ShortString("C:\\P\\Brannoch.FCC"));
    ok = true;
  } catch (const EArchiveError&) {
    refused = true;
  } catch (const ECompressionError&) {
    damaged = true;
  } catch (const Exception&) {
  }
  Check(fs.OpenHandles() == 0);
  Check(rec.Alive == 0);
  for (const MemoryFileSystem::Call& c : fs.Calls())
    if (c.Operation == MemoryFileSystem::Op::Open && c.Result == 0) Check(fs.FullPath(c.Path).rfind("C:\\P\\", 0) == 0);
  for (const std::string& n : fs.List("C:\\")) Check(n == "P");
  if (refused) {
    Check(rec.Created == 0);
    for (const std::string& n : fs.List("C:\\P")) Check(n == "Brannoch.FCC" || n == "Brannoch.CTN");
  }
  // A damaged stream leaves no partial archive behind.
  if (ok || damaged) Check(!fs.IsFile("C:\\P\\Brannoch.CTN"));
  return 0;
}
