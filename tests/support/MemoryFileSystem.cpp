#include "support/MemoryFileSystem.h"

#include "platform/SystemMessages.h"
#include "support/MemoryFileSystemState.h"

using platform::Disposition;

namespace {

class MemoryFile : public platform::File {
public:
  using Body = MemoryFileSystem::State::Body;
  MemoryFile(std::shared_ptr<MemoryFileSystem::State> s, std::shared_ptr<Body> body, std::string key,
             std::string spelling, int id, Access access)
      : s_(std::move(s)), body_(std::move(body)), key_(std::move(key)), spelling_(std::move(spelling)), id_(id),
        access_(access) {}
  ~MemoryFile() override {
    if (open_) Release();
  }

  uint32_t Read(void* buf, uint32_t n, uint32_t* done) override {
    *done = 0;
    if (!open_) return s_->Log(MemoryFileSystem::Op::Read, spelling_, ErrorInvalidHandle);
    const MemoryFileSystem::Fault* f = s_->Enter(MemoryFileSystem::Op::Read, spelling_, {key_});
    if (!Reads(access_)) return s_->Log(MemoryFileSystem::Op::Read, spelling_, platform::ErrorAccessDenied);
    const std::string& data = body_->data;
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
    uint32_t store = n;
    uint32_t error = 0;
    if (f != nullptr) {
      store = std::min(n, f->Transferred);
      error = f->Error;
    }
    std::string& data = body_->data;
    uint64_t end = pos_ + store;
    uint64_t growth = end > data.size() ? end - data.size() : 0;
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
      if (pos_ + store > data.size()) data.resize(pos_ + store);
      std::memcpy(data.data() + pos_, buf, store);
      pos_ += store;
      body_->times.Write = s_->now;
    }
    *done = store;
    return s_->Log(MemoryFileSystem::Op::Write, spelling_, error);
  }

  uint64_t Size() override { return open_ ? body_->data.size() : 0; }

  uint32_t SetTimes(platform::FileTime creation, platform::FileTime access, platform::FileTime write) override {
    if (!open_) return s_->Log(MemoryFileSystem::Op::SetTimes, spelling_, ErrorInvalidHandle);
    if (const MemoryFileSystem::Fault* f = s_->Enter(MemoryFileSystem::Op::SetTimes, spelling_, {key_}))
      return s_->Log(MemoryFileSystem::Op::SetTimes, spelling_, f->Error);
    if (!Writes(access_)) return s_->Log(MemoryFileSystem::Op::SetTimes, spelling_, platform::ErrorAccessDenied);
    body_->times = {creation, access, write};
    return s_->Log(MemoryFileSystem::Op::SetTimes, spelling_, 0);
  }

  uint32_t Close() override {
    if (!open_) return s_->Log(MemoryFileSystem::Op::Close, spelling_, ErrorInvalidHandle);
    const MemoryFileSystem::Fault* f = s_->Enter(MemoryFileSystem::Op::Close, spelling_, {key_});
    Release();
    return s_->Log(MemoryFileSystem::Op::Close, spelling_, f != nullptr ? f->Error : 0);
  }

private:
  void Release() {
    open_ = false;
    auto& o = body_->opened;
    o.erase(std::remove_if(o.begin(), o.end(), [&](const auto& x) { return x.id == id_; }), o.end());
  }

  std::shared_ptr<MemoryFileSystem::State> s_;
  std::shared_ptr<Body> body_;
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
  if (disposition == Disposition::CreateAlways) {
    // A new file: whatever the name held is taken away first.
    if (uint32_t e = s_->Remove(r.key, true)) return fail(e);
  } else {
    r = s_->Follow(r);
    if (r.error) return fail(r.error);
    if (!s_->FolderAt(r.parentKey)) return fail(platform::ErrorPathNotFound);
  }
  State::Node* n = s_->Find(r.key);
  bool writes = Writes(access) || disposition == Disposition::CreateAlways;
  if (n != nullptr) {
    if (n->folder) return fail(platform::ErrorAccessDenied);
    if (writes && n->body->readOnly) return fail(platform::ErrorAccessDenied);
    if (writes && s_->InUse(r.key)) return fail(platform::ErrorSharingViolation);
    if (!State::Compatible(*n->body, access, share)) return fail(platform::ErrorSharingViolation);
  } else {
    if (disposition == Disposition::OpenExisting) return fail(platform::ErrorFileNotFound);
    if (s_->InUse(r.key) && writes) return fail(platform::ErrorSharingViolation);
    n = &s_->nodes[r.key];
    n->spelling = r.spelling;
    n->body = s_->NewBody();
  }
  int id = s_->nextId++;
  n->body->opened.push_back({id, access, share});
  *error = s_->Log(Op::Open, path, 0);
  return std::make_unique<MemoryFile>(s_, n->body, r.key, n->spelling, id, access);
}

uint32_t MemoryFileSystem::CreateDirectory(const std::string& path) {
  Resolved r = s_->Resolve(path);
  if (const Fault* f = s_->Enter(Op::CreateDirectory, path, {r.key}))
    return s_->Log(Op::CreateDirectory, path, f->Error);
  if (r.error) return s_->Log(Op::CreateDirectory, path, r.error);
  if (r.root || s_->Find(r.key) != nullptr) return s_->Log(Op::CreateDirectory, path, platform::ErrorAlreadyExists);
  if (!s_->FolderAt(r.parentKey)) return s_->Log(Op::CreateDirectory, path, platform::ErrorPathNotFound);
  State::Node& n = s_->nodes[r.key];
  n.folder = true;
  n.spelling = r.spelling;
  n.body = s_->NewBody();
  return s_->Log(Op::CreateDirectory, path, 0);
}

bool MemoryFileSystem::FileExists(const std::string& path) {
  Resolved r = s_->Follow(s_->Resolve(path));
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
  a = s_->Follow(a);
  if (a.error) return done(a.error);
  State::Node* src = s_->Find(a.key);
  if (src == nullptr) return done(platform::ErrorFileNotFound);
  if (src->folder) return done(platform::ErrorAccessDenied);
  if (!State::Compatible(*src->body, Access::Read, Share::Read)) return done(platform::ErrorSharingViolation);
  if (b.error) return done(b.error);
  if (b.root) return done(platform::ErrorAccessDenied);
  if (!s_->FolderAt(b.parentKey)) return done(platform::ErrorPathNotFound);
  if (State::Node* dst = s_->Find(b.key); dst != nullptr && dst->link.empty() && dst->body == src->body)
    return done(platform::ErrorAccessDenied);
  // The source is held: the destination's name is taken away, then the copy made.
  std::shared_ptr<State::Body> source = src->body;
  if (uint32_t e = s_->Remove(b.key, true)) return done(e);
  if (s_->InUse(b.key)) return done(platform::ErrorSharingViolation);
  std::optional<uint64_t> free = s_->Free();
  if (free && source->data.size() > *free) return done(platform::ErrorDiskFull);
  State::Node& dst = s_->nodes[b.key];
  dst.spelling = b.spelling;
  dst.body = s_->NewBody();
  dst.body->data = source->data;
  dst.body->times.Write = source->times.Write;
  return done(0);
}

uint32_t MemoryFileSystem::DeleteFile(const std::string& path) {
  Resolved r = s_->Resolve(path);
  if (const Fault* f = s_->Enter(Op::DeleteFile, path, {r.key})) return s_->Log(Op::DeleteFile, path, f->Error);
  if (r.error) return s_->Log(Op::DeleteFile, path, r.error);
  if (r.root) return s_->Log(Op::DeleteFile, path, platform::ErrorAccessDenied);
  if (!s_->FolderAt(r.parentKey)) return s_->Log(Op::DeleteFile, path, platform::ErrorPathNotFound);
  if (s_->Find(r.key) == nullptr) return s_->Log(Op::DeleteFile, path, platform::ErrorFileNotFound);
  return s_->Log(Op::DeleteFile, path, s_->Remove(r.key, false));
}

std::optional<std::string> MemoryFileSystem::FindFile(const std::string& path) {
  Resolved r = s_->Resolve(path);
  auto alias = s_->shortNames.find(r.key);
  const State::Node* n = s_->Enter(Op::FindFile, path, {r.key}) || r.error || r.root
                             ? nullptr
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
  if (!n.body) n.body = s_->NewBody();
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
  if (n.spelling.empty() || n.folder || !n.link.empty()) {
    n = State::Node{};
    n.spelling = r.spelling;
    n.body = s_->NewBody();
  }
  n.body->data.assign(bytes);
  n.body->times.Write = s_->now;
}

void MemoryFileSystem::AddHardLink(const std::string& path, const std::string& target) {
  Resolved r = s_->Resolve(path);
  State::Node* t = s_->Find(s_->Resolve(target).key);
  if (r.error || r.root || t == nullptr || t->folder || !t->link.empty() || !s_->FolderAt(r.parentKey)) return;
  State::Node& n = s_->nodes[r.key];
  n = State::Node{};
  n.spelling = r.spelling;
  n.body = t->body;
}

void MemoryFileSystem::AddSymbolicLink(const std::string& path, const std::string& target) {
  Resolved r = s_->Resolve(path);
  if (r.error || r.root || !s_->FolderAt(r.parentKey)) return;
  State::Node& n = s_->nodes[r.key];
  n = State::Node{};
  n.spelling = r.spelling;
  n.body = s_->NewBody();
  n.link = target;
}

void MemoryFileSystem::SetReadOnly(const std::string& path, bool readOnly) {
  if (State::Node* n = s_->Find(s_->Resolve(path).key)) n->body->readOnly = readOnly;
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
  Resolved r = s_->Follow(s_->Resolve(path));
  const State::Node* n = r.error ? nullptr : s_->Find(r.key);
  return n != nullptr && !n->folder;
}

bool MemoryFileSystem::IsLink(const std::string& path) const {
  Resolved r = s_->Resolve(path);
  const State::Node* n = r.error ? nullptr : s_->Find(r.key);
  return n != nullptr && !n->link.empty();
}

bool MemoryFileSystem::IsFolder(const std::string& path) const {
  Resolved r = s_->Resolve(path);
  return !r.error && s_->FolderAt(r.key);
}

std::optional<std::string> MemoryFileSystem::Contents(const std::string& path) const {
  Resolved r = s_->Follow(s_->Resolve(path));
  const State::Node* n = r.error ? nullptr : s_->Find(r.key);
  if (n == nullptr || n->folder) return std::nullopt;
  return n->body->data;
}

std::optional<MemoryFileSystem::Times> MemoryFileSystem::TimesOf(const std::string& path) const {
  Resolved r = s_->Follow(s_->Resolve(path));
  const State::Node* n = r.error ? nullptr : s_->Find(r.key);
  if (n == nullptr) return std::nullopt;
  return n->body->times;
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
  const State::Node* n = s_->Find(s_->Follow(s_->Resolve(path)).key);
  return n == nullptr ? 0 : static_cast<int>(n->body->opened.size());
}

int MemoryFileSystem::OpenHandles() const {
  int c = 0;
  for (State::Body* b : s_->Files()) c += static_cast<int>(b->opened.size());
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
