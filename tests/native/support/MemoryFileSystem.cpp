#include "support/MemoryFileSystem.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "platform/SystemMessages.h"

using platform::Access;
using platform::Disposition;
using platform::Share;

namespace {

constexpr uint32_t ErrorInvalidHandle = 6;
constexpr uint32_t ErrorBadNetPath = 53;
constexpr uint32_t ErrorInvalidName = 123;
constexpr uint32_t ErrorDirectory = 267;

// Windows' case folding of cp1252: ASCII letters and the letters that have a
// capital in the code page.
char Fold(char c) {
  auto b = static_cast<unsigned char>(c);
  if (b >= 'a' && b <= 'z') return static_cast<char>(b - 32);
  if (b >= 0xE0 && b != 0xF7 && b != 0xFF) return static_cast<char>(b - 32);
  switch (b) {
    case 0x9A: return static_cast<char>(0x8A);
    case 0x9C: return static_cast<char>(0x8C);
    case 0x9E: return static_cast<char>(0x8E);
    case 0xFF: return static_cast<char>(0x9F);
  }
  return c;
}

std::string Folded(std::string_view s) {
  std::string r(s);
  for (char& c : r) c = Fold(c);
  return r;
}

bool Reads(Access a) { return a != Access::Write; }
bool Writes(Access a) { return a != Access::Read; }
bool SharesRead(Share s) { return s == Share::Read || s == Share::ReadWrite; }
bool SharesWrite(Share s) { return s == Share::Write || s == Share::ReadWrite; }

struct Resolved {
  uint32_t error = 0;
  std::string key, spelling, parentKey;
  bool root = false;
};

}  // namespace

struct MemoryFileSystem::State {
  struct Opened {
    int id;
    Access access;
    Share share;
  };
  struct Node {
    bool folder = false;
    std::string spelling;
    std::string data;
    Times times;
    bool readOnly = false;
    std::vector<Opened> opened;
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
  bool InUse(const std::string& key) const {
    return std::find(inUse.begin(), inUse.end(), key) != inUse.end();
  }
  uint64_t Used() const {
    uint64_t u = 0;
    for (const auto& [k, n] : nodes) u += n.data.size();
    return u;
  }
  // Bytes that the files may still grow by.
  std::optional<uint64_t> Free() const {
    if (!capacity) return std::nullopt;
    uint64_t u = Used();
    return u >= *capacity ? 0 : *capacity - u;
  }
  static bool Compatible(const Node& n, Access access, Share share) {
    for (const Opened& o : n.opened) {
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
        n.times = {now, now, now};
      }
      i = j + 1;
    }
  }
};

namespace {

class MemoryFile : public platform::File {
public:
  MemoryFile(std::shared_ptr<MemoryFileSystem::State> s, std::string key, std::string spelling, int id,
             Access access)
      : s_(std::move(s)), key_(std::move(key)), spelling_(std::move(spelling)), id_(id), access_(access) {}
  ~MemoryFile() override {
    if (open_) Release();
  }

  uint32_t Read(void* buf, uint32_t n, uint32_t* done) override {
    *done = 0;
    if (!open_) return s_->Log(MemoryFileSystem::Op::Read, spelling_, ErrorInvalidHandle);
    const MemoryFileSystem::Fault* f = s_->Enter(MemoryFileSystem::Op::Read, spelling_, {key_});
    if (!Reads(access_)) return s_->Log(MemoryFileSystem::Op::Read, spelling_, platform::ErrorAccessDenied);
    const std::string& data = NodeData();
    uint32_t avail = pos_ >= data.size() ? 0 : static_cast<uint32_t>(std::min<uint64_t>(n, data.size() - pos_));
    if (f != nullptr) avail = std::min(avail, f->Transferred);
    std::memcpy(buf, data.data() + std::min<uint64_t>(pos_, data.size()), avail);
    pos_ += avail;
    *done = avail;
    return s_->Log(MemoryFileSystem::Op::Read, spelling_, f != nullptr ? f->Error : 0);
  }

  uint32_t Write(const void* buf, uint32_t n, uint32_t* done) override {
    *done = 0;
    if (!open_) return s_->Log(MemoryFileSystem::Op::Write, spelling_, ErrorInvalidHandle);
    const MemoryFileSystem::Fault* f = s_->Enter(MemoryFileSystem::Op::Write, spelling_, {key_});
    if (!Writes(access_)) return s_->Log(MemoryFileSystem::Op::Write, spelling_, platform::ErrorAccessDenied);
    auto& node = s_->nodes.at(key_);
    uint32_t store = n;
    uint32_t error = 0;
    if (f != nullptr) {
      store = std::min(n, f->Transferred);
      error = f->Error;
    }
    uint64_t end = pos_ + store;
    uint64_t growth = end > node.data.size() ? end - node.data.size() : 0;
    std::optional<uint64_t> free = s_->Free();
    if (free && growth > *free) {
      if (s_->mode == MemoryFileSystem::DiskFull::Error) {
        store = 0;
        error = platform::ErrorDiskFull;
      } else {
        store -= static_cast<uint32_t>(growth - *free);
      }
    }
    if (store > 0) {
      if (pos_ + store > node.data.size()) node.data.resize(pos_ + store);
      std::memcpy(node.data.data() + pos_, buf, store);
      pos_ += store;
      node.times.Write = s_->now;
    }
    *done = store;
    return s_->Log(MemoryFileSystem::Op::Write, spelling_, error);
  }

  uint64_t Size() override { return open_ ? NodeData().size() : 0; }

  uint32_t SetTimes(platform::FileTime creation, platform::FileTime access, platform::FileTime write) override {
    if (!open_) return s_->Log(MemoryFileSystem::Op::SetTimes, spelling_, ErrorInvalidHandle);
    if (const MemoryFileSystem::Fault* f = s_->Enter(MemoryFileSystem::Op::SetTimes, spelling_, {key_}))
      return s_->Log(MemoryFileSystem::Op::SetTimes, spelling_, f->Error);
    if (!Writes(access_)) return s_->Log(MemoryFileSystem::Op::SetTimes, spelling_, platform::ErrorAccessDenied);
    s_->nodes.at(key_).times = {creation, access, write};
    return s_->Log(MemoryFileSystem::Op::SetTimes, spelling_, 0);
  }

  uint32_t Close() override {
    if (!open_) return s_->Log(MemoryFileSystem::Op::Close, spelling_, ErrorInvalidHandle);
    const MemoryFileSystem::Fault* f = s_->Enter(MemoryFileSystem::Op::Close, spelling_, {key_});
    Release();
    return s_->Log(MemoryFileSystem::Op::Close, spelling_, f != nullptr ? f->Error : 0);
  }

private:
  const std::string& NodeData() { return s_->nodes.at(key_).data; }
  void Release() {
    open_ = false;
    auto it = s_->nodes.find(key_);
    if (it == s_->nodes.end()) return;
    auto& o = it->second.opened;
    o.erase(std::remove_if(o.begin(), o.end(), [&](const auto& x) { return x.id == id_; }), o.end());
  }

  std::shared_ptr<MemoryFileSystem::State> s_;
  std::string key_, spelling_;
  int id_;
  Access access_;
  uint64_t pos_ = 0;
  bool open_ = true;
};

}  // namespace

MemoryFileSystem::MemoryFileSystem() : s_(std::make_shared<State>()) {
  s_->owner = this;
  AddDrive('C');
}

MemoryFileSystem::~MemoryFileSystem() { s_->owner = nullptr; }

std::unique_ptr<platform::File> MemoryFileSystem::Open(const std::string& path, Access access, Share share,
                                                       Disposition disposition, uint32_t* error) {
  Resolved r = s_->Resolve(path);
  auto fail = [&](uint32_t e) -> std::unique_ptr<platform::File> {
    *error = s_->Log(Op::Open, path, e);
    return nullptr;
  };
  if (const Fault* f = s_->Enter(Op::Open, path, {r.key})) return fail(f->Error);
  if (r.error) return fail(r.error);
  if (r.root) return fail(platform::ErrorAccessDenied);
  if (!s_->FolderAt(r.parentKey)) return fail(platform::ErrorPathNotFound);
  State::Node* n = s_->Find(r.key);
  bool writes = Writes(access) || disposition == Disposition::CreateAlways;
  if (n != nullptr) {
    if (n->folder) return fail(platform::ErrorAccessDenied);
    if (writes && n->readOnly) return fail(platform::ErrorAccessDenied);
    if (writes && s_->InUse(r.key)) return fail(platform::ErrorSharingViolation);
    if (!State::Compatible(*n, access, share)) return fail(platform::ErrorSharingViolation);
    if (disposition == Disposition::CreateAlways) {
      n->data.clear();
      n->times.Write = s_->now;
    }
  } else {
    if (disposition == Disposition::OpenExisting) return fail(platform::ErrorFileNotFound);
    if (s_->InUse(r.key) && writes) return fail(platform::ErrorSharingViolation);
    n = &s_->nodes[r.key];
    n->spelling = r.spelling;
    n->times = {s_->now, s_->now, s_->now};
  }
  int id = s_->nextId++;
  n->opened.push_back({id, access, share});
  *error = s_->Log(Op::Open, path, 0);
  return std::make_unique<MemoryFile>(s_, r.key, n->spelling, id, access);
}

uint32_t MemoryFileSystem::CreateDirectory(const std::string& path) {
  Resolved r = s_->Resolve(path);
  if (const Fault* f = s_->Enter(Op::CreateDirectory, path, {r.key})) return s_->Log(Op::CreateDirectory, path, f->Error);
  if (r.error) return s_->Log(Op::CreateDirectory, path, r.error);
  if (r.root || s_->Find(r.key) != nullptr) return s_->Log(Op::CreateDirectory, path, platform::ErrorAlreadyExists);
  if (!s_->FolderAt(r.parentKey)) return s_->Log(Op::CreateDirectory, path, platform::ErrorPathNotFound);
  State::Node& n = s_->nodes[r.key];
  n.folder = true;
  n.spelling = r.spelling;
  n.times = {s_->now, s_->now, s_->now};
  return s_->Log(Op::CreateDirectory, path, 0);
}

bool MemoryFileSystem::FileExists(const std::string& path) {
  Resolved r = s_->Resolve(path);
  bool yes = false;
  if (s_->Enter(Op::FileExists, path, {r.key}) == nullptr && !r.error) {
    const State::Node* n = s_->Find(r.key);
    yes = n != nullptr && !n->folder;
  }
  s_->Log(Op::FileExists, path, yes ? 1 : 0);
  return yes;
}

uint32_t MemoryFileSystem::CopyFile(const std::string& from, const std::string& to) {
  Resolved a = s_->Resolve(from), b = s_->Resolve(to);
  std::string shown = from + "|" + to;
  auto done = [&](uint32_t e) { return s_->Log(Op::CopyFile, shown, e); };
  if (const Fault* f = s_->Enter(Op::CopyFile, shown, {a.key, b.key})) return done(f->Error);
  if (a.error) return done(a.error);
  State::Node* src = s_->Find(a.key);
  if (src == nullptr) return done(platform::ErrorFileNotFound);
  if (src->folder) return done(platform::ErrorAccessDenied);
  if (!State::Compatible(*src, Access::Read, Share::Read)) return done(platform::ErrorSharingViolation);
  if (b.error) return done(b.error);
  if (b.root) return done(platform::ErrorAccessDenied);
  if (!s_->FolderAt(b.parentKey)) return done(platform::ErrorPathNotFound);
  State::Node* dst = s_->Find(b.key);
  if (dst != nullptr) {
    if (dst->folder || dst->readOnly) return done(platform::ErrorAccessDenied);
    if (!State::Compatible(*dst, Access::Write, Share::None)) return done(platform::ErrorSharingViolation);
  }
  if (s_->InUse(b.key)) return done(platform::ErrorSharingViolation);
  if (dst == src) return done(platform::ErrorSharingViolation);
  uint64_t old = dst != nullptr ? dst->data.size() : 0;
  std::optional<uint64_t> free = s_->Free();
  if (free && src->data.size() > old && src->data.size() - old > *free) return done(platform::ErrorDiskFull);
  std::string data = src->data;
  platform::FileTime written = src->times.Write;
  if (dst == nullptr) {
    dst = &s_->nodes[b.key];
    dst->spelling = b.spelling;
    dst->times.Creation = s_->now;
  }
  dst->data = std::move(data);
  dst->times.Access = s_->now;
  dst->times.Write = written;
  return done(0);
}

uint32_t MemoryFileSystem::DeleteFile(const std::string& path) {
  Resolved r = s_->Resolve(path);
  if (const Fault* f = s_->Enter(Op::DeleteFile, path, {r.key})) return s_->Log(Op::DeleteFile, path, f->Error);
  if (r.error) return s_->Log(Op::DeleteFile, path, r.error);
  if (r.root) return s_->Log(Op::DeleteFile, path, platform::ErrorAccessDenied);
  if (!s_->FolderAt(r.parentKey)) return s_->Log(Op::DeleteFile, path, platform::ErrorPathNotFound);
  State::Node* n = s_->Find(r.key);
  if (n == nullptr) return s_->Log(Op::DeleteFile, path, platform::ErrorFileNotFound);
  if (n->folder || n->readOnly || s_->InUse(r.key)) return s_->Log(Op::DeleteFile, path, platform::ErrorAccessDenied);
  if (!n->opened.empty()) return s_->Log(Op::DeleteFile, path, platform::ErrorSharingViolation);
  s_->nodes.erase(r.key);
  return s_->Log(Op::DeleteFile, path, 0);
}

std::optional<std::string> MemoryFileSystem::FindFile(const std::string& path) {
  Resolved r = s_->Resolve(path);
  auto alias = s_->shortNames.find(r.key);
  const State::Node* n = s_->Enter(Op::FindFile, path, {r.key}) || r.error || r.root ? nullptr
                         : s_->Find(alias != s_->shortNames.end() ? alias->second : r.key);
  s_->Log(Op::FindFile, path, n ? 1 : 0);
  return n ? std::optional(n->spelling.substr(n->spelling.rfind('\\') + 1)) : std::nullopt;
}

std::string MemoryFileSystem::GetCurrentDirectory() {
  s_->Enter(Op::GetCurrentDirectory, "", {});
  s_->Log(Op::GetCurrentDirectory, "", 0);
  return s_->curSpelling;
}

uint32_t MemoryFileSystem::SetCurrentDirectory(const std::string& path) {
  Resolved r = s_->Resolve(path);
  if (const Fault* f = s_->Enter(Op::SetCurrentDirectory, path, {r.key}))
    return s_->Log(Op::SetCurrentDirectory, path, f->Error);
  if (r.error) return s_->Log(Op::SetCurrentDirectory, path, r.error);
  const State::Node* n = s_->Find(r.key);
  if (n == nullptr) return s_->Log(Op::SetCurrentDirectory, path, platform::ErrorFileNotFound);
  if (!n->folder) return s_->Log(Op::SetCurrentDirectory, path, ErrorDirectory);
  s_->curKey = r.key;
  s_->curSpelling = n->spelling;
  return s_->Log(Op::SetCurrentDirectory, path, 0);
}

std::string MemoryFileSystem::SystemMessage(uint32_t code) { return platform::FrenchSystemMessage(code); }

void MemoryFileSystem::AddDrive(char letter) {
  char d = Fold(letter);
  if (s_->drives.find(d) == std::string::npos) s_->drives += d;
  std::string root = std::string(1, d) + ":\\";
  State::Node& n = s_->nodes[root];
  n.folder = true;
  n.spelling = root;
}

void MemoryFileSystem::AddFolder(const std::string& path) {
  Resolved r = s_->Resolve(path);
  if (r.error == platform::ErrorPathNotFound && !path.empty()) {
    AddDrive(path[0]);
    r = s_->Resolve(path);
  }
  if (!r.error) s_->MakeFolders(r);
}

void MemoryFileSystem::AddFile(const std::string& path, std::string_view bytes) {
  Resolved r = s_->Resolve(path);
  if (r.error == platform::ErrorPathNotFound && !path.empty()) {
    AddDrive(path[0]);
    r = s_->Resolve(path);
  }
  if (r.error || r.root) return;
  Resolved parent = s_->Resolve(r.spelling + "\\..");
  s_->MakeFolders(parent);
  State::Node& n = s_->nodes[r.key];
  if (n.spelling.empty()) {
    n.spelling = r.spelling;
    n.times = {s_->now, s_->now, s_->now};
  }
  n.folder = false;
  n.data.assign(bytes);
  n.times.Write = s_->now;
}

void MemoryFileSystem::SetReadOnly(const std::string& path, bool readOnly) {
  if (State::Node* n = s_->Find(s_->Resolve(path).key)) n->readOnly = readOnly;
}

void MemoryFileSystem::AddShortName(const std::string& alias, const std::string& path) {
  s_->shortNames[s_->Resolve(alias).key] = s_->Resolve(path).key;
}

void MemoryFileSystem::SetInUse(const std::string& path, bool inUse) {
  std::string key = s_->Resolve(path).key;
  auto& v = s_->inUse;
  v.erase(std::remove(v.begin(), v.end(), key), v.end());
  if (inUse) v.push_back(key);
}

void MemoryFileSystem::SetFreeSpace(std::optional<uint64_t> bytes, DiskFull mode) {
  s_->mode = mode;
  s_->capacity = bytes ? std::optional<uint64_t>(s_->Used() + *bytes) : std::nullopt;
}

void MemoryFileSystem::SetNow(platform::FileTime now) { s_->now = now; }
void MemoryFileSystem::AddFault(const Fault& fault) { s_->faults.push_back({fault}); }
void MemoryFileSystem::ClearFaults() { s_->faults.clear(); }

bool MemoryFileSystem::IsFile(const std::string& path) const {
  Resolved r = s_->Resolve(path);
  const State::Node* n = r.error ? nullptr : s_->Find(r.key);
  return n != nullptr && !n->folder;
}

bool MemoryFileSystem::IsFolder(const std::string& path) const {
  Resolved r = s_->Resolve(path);
  return !r.error && s_->FolderAt(r.key);
}

std::optional<std::string> MemoryFileSystem::Contents(const std::string& path) const {
  Resolved r = s_->Resolve(path);
  const State::Node* n = r.error ? nullptr : s_->Find(r.key);
  if (n == nullptr || n->folder) return std::nullopt;
  return n->data;
}

std::optional<MemoryFileSystem::Times> MemoryFileSystem::TimesOf(const std::string& path) const {
  Resolved r = s_->Resolve(path);
  const State::Node* n = r.error ? nullptr : s_->Find(r.key);
  if (n == nullptr) return std::nullopt;
  return n->times;
}

std::vector<std::string> MemoryFileSystem::List(const std::string& folder) const {
  Resolved r = s_->Resolve(folder);
  std::vector<std::string> names;
  if (r.error) return names;
  std::string prefix = r.root ? r.key : r.key + "\\";
  for (const auto& [key, n] : s_->nodes) {
    if (key.size() <= prefix.size() || key.compare(0, prefix.size(), prefix) != 0) continue;
    if (key.find('\\', prefix.size()) != std::string::npos) continue;
    names.push_back(n.spelling.substr(n.spelling.rfind('\\') + 1));
  }
  return names;
}

std::string MemoryFileSystem::FullPath(const std::string& path) const {
  Resolved r = s_->Resolve(path);
  if (r.error) return "";
  if (const State::Node* n = s_->Find(r.key)) return n->spelling;
  return r.spelling;
}

int MemoryFileSystem::OpenHandles(const std::string& path) const {
  const State::Node* n = s_->Find(s_->Resolve(path).key);
  return n == nullptr ? 0 : static_cast<int>(n->opened.size());
}

int MemoryFileSystem::OpenHandles() const {
  int c = 0;
  for (const auto& [k, n] : s_->nodes) c += static_cast<int>(n.opened.size());
  return c;
}

uint64_t MemoryFileSystem::UsedSpace() const { return s_->Used(); }
const std::vector<MemoryFileSystem::Call>& MemoryFileSystem::Calls() const { return s_->calls; }
void MemoryFileSystem::ClearCalls() { s_->calls.clear(); }

std::vector<MemoryFileSystem::Call> MemoryFileSystem::CallsOf(Op op) const {
  std::vector<Call> r;
  for (const Call& c : s_->calls)
    if (c.Operation == op) r.push_back(c);
  return r;
}
