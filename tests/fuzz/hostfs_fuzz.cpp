// The payload expansion on the host's own file system, into a folder already
// holding what a careless vendor or an attacker could leave there: files,
// read-only files, folders, FIFOs, hard and symbolic links leading out of
// it, under members' names (in another case too) and the temporary file's.
// Whatever happens, nothing outside the folder changes, nothing blocks, no
// file stays open, and a success leaves every member as a file of its own
// holding the member's bytes.
//
// Input: a count byte n (n % 8 entries), then per entry a kind byte and a
// name byte, then the raw archive, compressed here into the payload file.
// Kind bits 0-2: 0 file, 1 symbolic link to a file outside, 2 hard link to
// it, 3 FIFO, 4 folder, 5 read-only file, 6 symbolic link to nothing, 7
// symbolic link to a folder outside. Bit 5: named like the temporary file;
// bit 7: named like member (name byte) of the archive; otherwise named by
// the name byte's letter. Bit 6: the name's ASCII letters in the other case.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "archive/UConcatene.h"
#include "common/Errors.h"
#include "common/LittleEndian.h"
#include "platform/posix/Cp1252.h"
#include "platform/posix/PosixFileSystem.h"
#include "support/ManualClock.h"
#include "support/RecordingProgressWindow.h"
#include "support/ScriptedMessageBox.h"

namespace {

namespace fs = std::filesystem;

void Check(bool ok) {
  if (!ok) std::abort();
}

struct Entry {
  std::string Name, Data;
};

// The members of the archive as the expander would read them, as far as it
// goes; empty when its head is not there.
std::vector<Entry> Members(const std::string& a) {
  std::vector<Entry> r;
  if (a.size() < 5) return r;
  uint32_t count = LitLe32(reinterpret_cast<const uint8_t*>(a.data()));
  std::size_t l = static_cast<uint8_t>(a[4]);
  std::size_t at = 5, data = 5 + static_cast<uint64_t>(count) * (l + 4);
  for (uint32_t i = 0; i < count && at + l + 4 <= a.size(); ++i) {
    std::size_t n = l > 0 ? std::min<std::size_t>(static_cast<uint8_t>(a[at]), l - 1) : 0;
    uint32_t size = LitLe32(reinterpret_cast<const uint8_t*>(a.data() + at + l));
    std::string bytes = data <= a.size() ? a.substr(data, size) : std::string();
    r.push_back({a.substr(at + 1, n), bytes});
    at += l + 4;
    data += size;
  }
  return r;
}

std::string OtherCase(std::string s) {
  for (char& c : s) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    else if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  }
  return s;
}

// What lies under a folder: type, size, bytes and time of every entry.
std::map<std::string, std::string> Snapshot(const fs::path& root) {
  std::map<std::string, std::string> r;
  for (const auto& e : fs::recursive_directory_iterator(root)) {
    struct stat st;
    Check(lstat(e.path().c_str(), &st) == 0);
    std::string v = std::to_string(st.st_mode) + " " + std::to_string(st.st_size) + " " +
                    std::to_string(st.st_mtim.tv_sec) + "." + std::to_string(st.st_mtim.tv_nsec);
    if (S_ISREG(st.st_mode)) {
      std::ifstream in(e.path(), std::ios::binary);
      v += " " + std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }
    r[e.path().string()] = v;
  }
  return r;
}

int OpenDescriptors() {
  int n = 0;
  for ([[maybe_unused]] const auto& e : fs::directory_iterator("/proc/self/fd")) ++n;
  return n;
}

struct Place {
  fs::path base, work, outside;
  Place() {
    std::string t = (fs::temp_directory_path() / "hostfs_fuzz_XXXXXX").string();
    Check(mkdtemp(t.data()) != nullptr);
    base = t;
    work = base / "dossier";
    outside = base / "dehors";
    fs::create_directories(outside / "sous-dossier");
    std::ofstream(outside / "cible") << "dehors";
    std::ofstream(outside / "sous-dossier" / "f") << "dedans";
  }
  ~Place() { fs::remove_all(base); }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Place place;
  if (size < 1) return 0;
  std::size_t n = data[0] % 8, at = 1;
  if (size < at + 2 * n) return 0;
  std::string archive(reinterpret_cast<const char*>(data + at + 2 * n), size - at - 2 * n);
  std::vector<Entry> members = Members(archive);

  fs::remove_all(place.work);
  fs::create_directory(place.work);
  uLongf zn = compressBound(archive.size());
  std::string payload(4 + zn, '\0');
  compress2(reinterpret_cast<Bytef*>(payload.data() + 4), &zn, reinterpret_cast<const Bytef*>(archive.data()),
            archive.size(), 1);
  payload.resize(4 + zn);
  for (int i = 0; i < 4; ++i) payload[i] = static_cast<char>(archive.size() >> (8 * i));
  std::ofstream(place.work / "Brannoch.FCC", std::ios::binary) << payload;

  std::set<std::string> planted;
  for (std::size_t i = 0; i < n; ++i, at += 2) {
    uint8_t kind = data[at], key = data[at + 1];
    std::string name = kind & 0x20                           ? "Brannoch.CTN"
                       : kind & 0x80 && key < members.size() ? members[key].Name
                                                             : std::string(1, static_cast<char>('a' + key % 26));
    if (kind & 0x40) name = OtherCase(name);
    std::string host = platform::Cp1252ToUtf8(name);
    if (host.empty() || host == "." || host == ".." || host.find_first_of(std::string("/\0", 2)) != std::string::npos ||
        platform::FoldName(name) == "BRANNOCH.FCC")
      continue;
    fs::path p = place.work / host;
    std::error_code ec;
    // Names the host cannot store are not planted (the expansion meets them).
    fs::file_status there = fs::symlink_status(p, ec);
    if (fs::exists(there) || (ec && ec != std::errc::no_such_file_or_directory)) continue;
    planted.insert(host);
    switch (kind & 7) {
      case 0: std::ofstream(p) << "ancien"; break;
      case 1: fs::create_symlink(place.outside / "cible", p, ec); break;
      case 2: fs::create_hard_link(place.outside / "cible", p, ec); break;
      case 3: mkfifo(p.c_str(), 0666); break;
      case 4: fs::create_directory(p, ec); break;
      case 5:
        std::ofstream(p) << "lecture seule";
        chmod(p.c_str(), 0444);
        break;
      case 6: fs::create_symlink(place.outside / "absent", p, ec); break;
      case 7: fs::create_symlink(place.outside / "sous-dossier", p, ec); break;
    }
  }

  const std::map<std::string, std::string> before = Snapshot(place.outside);
  const int descriptors = OpenDescriptors();
  platform::PosixFileSystem files;
  ManualClock clock;
  clock.Step = ManualClock::Millisecond;
  ScriptedMessageBox box;
  ProgressRecorder rec;
  ArchiveServices s{files, clock, box, rec.Factory()};
  bool ok = false;
  try {
    ExtraitArchive(s, ShortString(*platform::PosixFileSystem::ToWindows((place.work / "Brannoch.FCC").string())));
    ok = true;
  } catch (const Exception&) {
  }

  Check(Snapshot(place.outside) == before);
  Check(OpenDescriptors() == descriptors);
  Check(rec.Alive == 0);
  for (const auto& e : fs::directory_iterator(place.base)) Check(e.path() == place.work || e.path() == place.outside);
  if (ok) {
    // The last member of each name, as the file system compares names, is
    // the file under it, a file of its own.
    std::map<std::string, const Entry*> last;
    for (const Entry& m : members) last[platform::FoldName(m.Name)] = &m;
    for (const auto& [folded, m] : last) {
      uint32_t e = 0;
      std::string host = files.ToHost(*platform::PosixFileSystem::ToWindows(place.work.string()) + "\\" + m->Name, &e);
      struct stat st;
      Check(e == 0 && lstat(host.c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_nlink == 1);
      std::ifstream in(host, std::ios::binary);
      Check(std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()) == m->Data);
    }
    // The temporary file is gone; another spelling of its name on the host
    // is left as it was planted.
    for (const auto& e : fs::directory_iterator(place.work)) {
      std::string host = e.path().filename().string();
      std::optional<std::string> name = platform::Utf8ToCp1252(host);
      if (name && platform::FoldName(*name) == "BRANNOCH.CTN") Check(planted.count(host) == 1);
    }
  }
  return 0;
}
