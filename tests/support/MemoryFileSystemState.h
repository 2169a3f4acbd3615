#pragma once
// The inside of MemoryFileSystem: its names, files and faults, and how it
// resolves a path. Only MemoryFileSystem.cpp includes it.

#include <algorithm>
#include <cctype>
#include <cstring>
#include <set>

#include "support/MemoryFileSystem.h"

namespace memoryfs {

using platform::Access;
using platform::Share;

constexpr uint32_t ErrorInvalidHandle = 6;
constexpr uint32_t ErrorBadNetPath = 53;
constexpr uint32_t ErrorInvalidName = 123;
constexpr uint32_t ErrorDirectory = 267;
constexpr uint32_t ErrorCantResolve = 1921;

inline char Fold(char c) { return platform::FoldName(std::string_view(&c, 1))[0]; }

inline std::string Folded(std::string_view s) { return platform::FoldName(s); }

inline bool Reads(Access a) { return a != Access::Write; }
inline bool Writes(Access a) { return a != Access::Read; }
inline bool SharesRead(Share s) { return s == Share::Read || s == Share::ReadWrite; }
inline bool SharesWrite(Share s) { return s == Share::Write || s == Share::ReadWrite; }

struct Resolved {
  uint32_t error = 0;
  std::string key, spelling, parentKey;
  bool root = false;
};

}  // namespace memoryfs

// A private header of one source file: its helpers are used unqualified.
using namespace memoryfs;

struct MemoryFileSystem::State {
  struct Opened {
    int id;
    Access access;
    Share share;
  };
  // What a file's names share: a hard link is one more name of a body.
  struct Body {
    std::string data;
    Times times;
    bool readOnly = false;
    std::vector<Opened> opened;
  };
  struct Node {
    bool folder = false;
    std::string spelling;
    std::shared_ptr<Body> body;
    std::string link;  // a symbolic link's target; "" for a file or a folder
  };
  struct PendingFault {
    Fault f;
    int seen = 0, fired = 0;
  };

  std::map<std::string, Node> nodes;
  std::string drives;
  std::string curKey = "C:\\", curSpelling = "C:\\";
  std::vector<std::string> inUse;
  std::map<std::string, std::string> shortNames;  // folded alias path -> entry key
  std::optional<uint64_t> capacity;
  DiskFull mode = DiskFull::ShortWrite;
  platform::FileTime now = 0;
  std::vector<PendingFault> faults;
  std::vector<Call> calls;
  MemoryFileSystem* owner = nullptr;
  int nextId = 1;

  Resolved Resolve(std::string_view path) const {
    Resolved r;
    std::string p(path);
    std::replace(p.begin(), p.end(), '/', '\\');
    if (p.size() >= 2 && p[0] == '\\' && p[1] == '\\') {
      r.error = ErrorBadNetPath;
      return r;
    }
    char drive;
    std::vector<std::string> parts;
    auto splitInto = [&](std::string_view rel) {
      std::size_t i = 0;
      while (i <= rel.size()) {
        std::size_t j = rel.find('\\', i);
        if (j == std::string_view::npos) j = rel.size();
        std::string c(rel.substr(i, j - i));
        i = j + 1;
        if (c == "." || c.empty()) continue;
        if (c == "..") {
          if (!parts.empty()) parts.pop_back();
          continue;
        }
        while (!c.empty() && (c.back() == '.' || c.back() == ' ')) c.pop_back();
        if (c.empty()) continue;
        parts.push_back(c);
      }
    };
    auto current = [&] {
      // The current folder's own components, without its drive.
      splitInto(std::string_view(curSpelling).substr(3));
    };
    std::string_view rest = p;
    if (p.size() >= 2 && p[1] == ':' && std::isalpha(static_cast<unsigned char>(p[0]))) {
      drive = Fold(p[0]);
      rest.remove_prefix(2);
      if (rest.empty() || rest[0] != '\\') {
        if (drive == curKey[0]) current();
      }
    } else {
      drive = curKey[0];
      if (rest.empty() || rest[0] != '\\') current();
    }
    splitInto(rest);
    for (const std::string& c : parts) {
      for (char ch : c) {
        auto b = static_cast<unsigned char>(ch);
        if (b < 0x20 || std::strchr(":*?\"<>|", ch) != nullptr) {
          r.error = ErrorInvalidName;
          return r;
        }
      }
    }
    if (drives.find(drive) == std::string::npos) {
      r.error = platform::ErrorPathNotFound;
      return r;
    }
    std::string spelling = std::string(1, drive) + ":\\";
    std::string parent = spelling;
    for (std::size_t i = 0; i < parts.size(); ++i) {
      if (i + 1 == parts.size()) parent = spelling;
      if (i > 0) spelling += '\\';
      spelling += parts[i];
    }
    r.root = parts.empty();
    r.spelling = spelling;
    r.key = Folded(spelling);
    r.parentKey = r.root ? "" : Folded(parent);
    return r;
  }

  Node* Find(const std::string& key) {
    auto it = nodes.find(key);
    return it == nodes.end() ? nullptr : &it->second;
  }
  const Node* Find(const std::string& key) const {
    auto it = nodes.find(key);
    return it == nodes.end() ? nullptr : &it->second;
  }
  bool FolderAt(const std::string& key) const {
    const Node* n = Find(key);
    return n != nullptr && n->folder;
  }
  bool InUse(const std::string& key) const { return std::find(inUse.begin(), inUse.end(), key) != inUse.end(); }
  std::shared_ptr<Body> NewBody() const {
    auto b = std::make_shared<Body>();
    b->times = {now, now, now};
    return b;
  }
  // Each file once, whatever its names.
  std::set<Body*> Files() const {
    std::set<Body*> r;
    for (const auto& [k, n] : nodes)
      if (!n.folder && n.link.empty()) r.insert(n.body.get());
    return r;
  }
  uint64_t Used() const {
    uint64_t u = 0;
    for (Body* b : Files()) u += b->data.size();
    return u;
  }
  // The resolution with symbolic links followed to what they lead to.
  Resolved Follow(Resolved r) const {
    for (int hops = 0; hops < 8; ++hops) {
      const Node* n = r.error ? nullptr : Find(r.key);
      if (n == nullptr || n->link.empty()) return r;
      r = Resolve(n->link);
    }
    r.error = ErrorCantResolve;
    return r;
  }
  // Takes a name away, as DeleteFile does, or as moving a new file over it
  // does (replace): a link goes whatever it leads to; a folder, a read-only
  // file or one in use (5) and a file with open handles (32 for a deletion,
  // 5 for a replacement) stay. 0 when there is nothing to take.
  uint32_t Remove(const std::string& key, bool replace) {
    Node* n = Find(key);
    if (n == nullptr) return 0;
    if (n->link.empty()) {
      if (n->folder || n->body->readOnly || InUse(key)) return platform::ErrorAccessDenied;
      if (!n->body->opened.empty()) return replace ? platform::ErrorAccessDenied : platform::ErrorSharingViolation;
    }
    nodes.erase(key);
    return 0;
  }
  // Bytes that the files may still grow by.
  std::optional<uint64_t> Free() const {
    if (!capacity) return std::nullopt;
    uint64_t u = Used();
    return u >= *capacity ? 0 : *capacity - u;
  }
  static bool Compatible(const Body& b, Access access, Share share) {
    for (const Opened& o : b.opened) {
      if (Reads(access) && !SharesRead(o.share)) return false;
      if (Writes(access) && !SharesWrite(o.share)) return false;
      if (Reads(o.access) && !SharesRead(share)) return false;
      if (Writes(o.access) && !SharesWrite(share)) return false;
    }
    return true;
  }

  // Runs the hook, then the faults; a fault that fires gives its record.
  const Fault* Enter(Op op, const std::string& shown, const std::vector<std::string>& keys) {
    if (owner != nullptr && owner->BeforeCall) owner->BeforeCall(op, shown);
    for (PendingFault& pf : faults) {
      if (pf.f.Operation != op) continue;
      if (!pf.f.Path.empty()) {
        std::string k = Resolve(pf.f.Path).key;
        if (std::find(keys.begin(), keys.end(), k) == keys.end()) continue;
      }
      if (pf.seen++ < pf.f.Skip) continue;
      if (pf.f.Times >= 0 && pf.fired >= pf.f.Times) continue;
      ++pf.fired;
      return &pf.f;
    }
    return nullptr;
  }
  uint32_t Log(Op op, std::string path, uint32_t result) {
    calls.push_back({op, std::move(path), result});
    return result;
  }

  void MakeFolders(const Resolved& r) {
    std::string spelling;
    std::size_t i = 0;
    while (i <= r.spelling.size()) {
      std::size_t j = r.spelling.find('\\', i);
      if (j == std::string::npos) j = r.spelling.size();
      spelling = r.spelling.substr(0, j == 2 ? 3 : j);
      Node& n = nodes[Folded(spelling)];
      if (n.spelling.empty()) {
        n.folder = true;
        n.spelling = spelling;
        n.body = NewBody();
      }
      i = j + 1;
    }
  }
};
