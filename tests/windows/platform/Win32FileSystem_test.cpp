// The Win32 file system replaces a file where it creates or copies one: a
// hard or symbolic link planted under the name leaves what it leads to
// untouched, and what may not be replaced keeps its error code.
#include <gtest/gtest.h>

#include <string>

#include "platform/win32/Win32FileSystem.h"

using namespace win32;
using platform::Access;
using platform::Disposition;
using platform::Share;

namespace {

std::string Contents(const std::string& path) {
  UniqueHandle h(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  if (!h.Valid()) return "<" + std::to_string(GetLastError()) + ">";
  char buf[256];
  DWORD got = 0;
  ReadFile(h.Get(), buf, sizeof buf, &got, nullptr);
  return std::string(buf, got);
}

void Put(const std::string& path, const std::string& bytes) {
  UniqueHandle h(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(h.Valid()) << path << " " << GetLastError();
  DWORD put = 0;
  ASSERT_TRUE(WriteFile(h.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &put, nullptr));
}

// The names made, removed and renamed in a folder from its making to Seen(),
// in the order the system reports them: "+name", "-name", "old>new", the
// names this process makes beside a file ("~brn...") shown as "~". Seen()
// makes a last name, "fin", and waits for it, so that nothing before it is
// still on its way.
class Changes {
public:
  explicit Changes(const std::string& dir)
      : dir_(dir),
        h_(CreateFileA(dir.c_str(), FILE_LIST_DIRECTORY, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                       nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OVERLAPPED, nullptr)),
        event_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
    Ask();
  }
  ~Changes() { CancelIo(h_.Get()); }
  std::string Seen() {
    Put(dir_ + "\\fin", "");
    std::string seen;
    while (seen.size() < 5 || seen.compare(seen.size() - 5, 5, " +fin") != 0) {
      DWORD got = 0;
      if (WaitForSingleObject(event_.Get(), 5000) != WAIT_OBJECT_0 || !GetOverlappedResult(h_.Get(), &ov_, &got, FALSE))
        return seen + " <no end>";
      for (DWORD at = 0; got > 0;) {
        const auto* n = reinterpret_cast<const FILE_NOTIFY_INFORMATION*>(buf_ + at);
        char name[MAX_PATH + 1] = {};
        WideCharToMultiByte(CP_ACP, 0, n->FileName, static_cast<int>(n->FileNameLength / sizeof(WCHAR)), name, MAX_PATH,
                            nullptr, nullptr);
        std::string shown = std::string(name).rfind("~brn", 0) == 0 ? "~" : name;
        seen += n->Action == FILE_ACTION_ADDED              ? " +" + shown
                : n->Action == FILE_ACTION_REMOVED          ? " -" + shown
                : n->Action == FILE_ACTION_RENAMED_OLD_NAME ? " " + shown
                : n->Action == FILE_ACTION_RENAMED_NEW_NAME ? ">" + shown
                                                            : "";
        if (n->NextEntryOffset == 0) break;
        at += n->NextEntryOffset;
      }
      Ask();
    }
    DeleteFileA((dir_ + "\\fin").c_str());
    return seen.substr(0, seen.size() - 5);
  }

private:
  void Ask() {
    ResetEvent(event_.Get());
    ov_ = OVERLAPPED{};
    ov_.hEvent = event_.Get();
    ReadDirectoryChangesW(h_.Get(), buf_, sizeof buf_, FALSE,
                          FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME, nullptr, &ov_, nullptr);
  }
  std::string dir_;
  UniqueHandle h_, event_;
  OVERLAPPED ov_{};
  alignas(DWORD) char buf_[8192];
};

class Win32Files : public ::testing::Test {
protected:
  Win32FileSystem fs;
  std::string dir, outside, target;

  void SetUp() override {
    char tmp[MAX_PATH + 1];
    ASSERT_GT(GetTempPathA(sizeof tmp, tmp), 0u);
    std::string base = std::string(tmp) + "brannoch_fs_" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(base.c_str(), nullptr);
    dir = base + "\\dossier";
    outside = base + "\\dehors";
    CreateDirectoryA(dir.c_str(), nullptr);
    CreateDirectoryA(outside.c_str(), nullptr);
    target = outside + "\\cible.txt";
    Put(target, "intact");
    Put(dir + "\\source", "nouveau");
  }
  void TearDown() override {
    for (const std::string& d : {dir, outside}) {
      WIN32_FIND_DATAA f;
      HANDLE h = FindFirstFileA((d + "\\*").c_str(), &f);
      if (h != INVALID_HANDLE_VALUE) {
        do {
          std::string p = d + "\\" + f.cFileName;
          SetFileAttributesA(p.c_str(), FILE_ATTRIBUTE_NORMAL);
          if (!DeleteFileA(p.c_str())) RemoveDirectoryA(p.c_str());
        } while (FindNextFileA(h, &f));
        FindClose(h);
      }
      RemoveDirectoryA(d.c_str());
    }
    RemoveDirectoryA(dir.substr(0, dir.rfind('\\')).c_str());
  }
  uint32_t Create(const std::string& path, const std::string& bytes) {
    uint32_t e = 0;
    auto f = fs.Open(path, Access::Write, Share::None, Disposition::CreateAlways, &e);
    if (!f) return e;
    uint32_t done = 0;
    if ((e = f->Write(bytes.data(), static_cast<uint32_t>(bytes.size()), &done))) return e;
    return f->Close();
  }
  // Whether the name leads to the target: the target's bytes change with it.
  bool LeadsToTarget(const std::string& path) {
    Put(target, "sonde");
    bool same = Contents(path) == "sonde";
    Put(target, "intact");
    return same;
  }
};

// A free name is created in place: one name made, nothing beside it, nothing
// renamed. A name that is taken is replaced, through a new file beside it
// moved over the name, or refused, as before.
TEST_F(Win32Files, CreatingMakesAFreeNameInPlaceAndReplacesOrRefusesATakenOne) {
  const std::string name = dir + "\\membre.dat";
  const struct {
    const char* at;  // what the name holds before
    uint32_t error;
    const char* after;  // the name's bytes after
    const char* changes;
  } cases[] = {
      {"nothing", 0, "neuf", " +membre.dat"},
      {"a file", 0, "neuf", " +~ ~>membre.dat"},
      {"a hard link", 0, "neuf", " +~ ~>membre.dat"},
      {"a folder", ERROR_ACCESS_DENIED, "<5>", ""},
      {"a read-only file", ERROR_ACCESS_DENIED, "garde", ""},
  };
  for (const auto& c : cases) {
    const std::string at = c.at;
    if (at == "a file" || at == "a read-only file") Put(name, "garde");
    bool planted = at == "nothing" || at == "a file" ||
                   (at == "a read-only file" && SetFileAttributesA(name.c_str(), FILE_ATTRIBUTE_READONLY)) ||
                   (at == "a hard link" && CreateHardLinkA(name.c_str(), target.c_str(), nullptr)) ||
                   (at == "a folder" && CreateDirectoryA(name.c_str(), nullptr));
    ASSERT_TRUE(planted) << at << " " << GetLastError();
    Changes changes(dir);
    EXPECT_EQ(Create(name, "neuf"), c.error) << at;
    EXPECT_EQ(Contents(name), c.after) << at;
    EXPECT_EQ(changes.Seen(), c.changes) << at;
    EXPECT_EQ(Contents(target), "intact") << at;
    SetFileAttributesA(name.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!DeleteFileA(name.c_str())) RemoveDirectoryA(name.c_str());
  }
}

TEST_F(Win32Files, CreatingAndCopyingReplaceAHardLink) {
  const std::string created = dir + "\\cree.txt", copied = dir + "\\copie.txt";
  ASSERT_TRUE(CreateHardLinkA(created.c_str(), target.c_str(), nullptr)) << GetLastError();
  ASSERT_TRUE(CreateHardLinkA(copied.c_str(), target.c_str(), nullptr)) << GetLastError();
  ASSERT_TRUE(LeadsToTarget(created));
  EXPECT_EQ(Create(dir + "\\CREE.TXT", "neuf"), 0u);
  EXPECT_EQ(fs.CopyFile(dir + "\\source", copied), 0u);
  EXPECT_EQ(Contents(target), "intact");
  EXPECT_EQ(Contents(created), "neuf");
  EXPECT_EQ(Contents(copied), "nouveau");
  EXPECT_FALSE(LeadsToTarget(created));
  EXPECT_FALSE(LeadsToTarget(copied));
}

TEST_F(Win32Files, CreatingAndCopyingReplaceASymbolicLink) {
  const std::string created = dir + "\\cree.txt", copied = dir + "\\copie.txt";
  BOOL made = CreateSymbolicLinkA(created.c_str(), target.c_str(), 0);
  DWORD error = GetLastError();
  if (!made || !LeadsToTarget(created)) {
    // Wine reports success and makes nothing; its host links are planted by
    // the end-to-end "links" run instead.
    GTEST_SKIP() << "NOTE: this system makes no symbolic link to a file ("
                 << (made ? std::string("CreateSymbolicLinkA succeeded without one") : "error " + std::to_string(error))
                 << "); not tested here";
  }
  ASSERT_TRUE(CreateSymbolicLinkA(copied.c_str(), target.c_str(), 0));
  EXPECT_EQ(Create(created, "neuf"), 0u);
  EXPECT_EQ(fs.CopyFile(dir + "\\source", copied), 0u);
  EXPECT_EQ(Contents(target), "intact");
  EXPECT_EQ(Contents(created), "neuf");
  EXPECT_EQ(Contents(copied), "nouveau");
  EXPECT_EQ(GetFileAttributesA(created.c_str()) & FILE_ATTRIBUTE_REPARSE_POINT, 0u);
}

TEST_F(Win32Files, WhatMayNotBeReplacedKeepsItsError) {
  const std::string folder = dir + "\\dossier", readOnly = dir + "\\lecture seule";
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  Put(readOnly, "garde");
  ASSERT_TRUE(SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY));
  for (const std::string& p : {folder, readOnly}) {
    EXPECT_EQ(Create(p, "x"), static_cast<uint32_t>(ERROR_ACCESS_DENIED)) << p;
    EXPECT_EQ(fs.CopyFile(dir + "\\source", p), static_cast<uint32_t>(ERROR_ACCESS_DENIED)) << p;
  }
  EXPECT_EQ(Contents(readOnly), "garde");
  EXPECT_NE(GetFileAttributesA(folder.c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);

  // A file open elsewhere without sharing, and the source itself under its
  // own or another name, are not taken away.
  const std::string held = dir + "\\ouvert";
  Put(held, "ouvert");
  {
    UniqueHandle h(CreateFileA(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(h.Valid());
    EXPECT_EQ(Create(held, "x"), static_cast<uint32_t>(ERROR_ACCESS_DENIED));
  }
  EXPECT_EQ(Contents(held), "ouvert");
  const std::string other = dir + "\\autre nom";
  ASSERT_TRUE(CreateHardLinkA(other.c_str(), (dir + "\\source").c_str(), nullptr));
  EXPECT_EQ(fs.CopyFile(dir + "\\source", dir + "\\SOURCE"), static_cast<uint32_t>(ERROR_ACCESS_DENIED));
  EXPECT_EQ(fs.CopyFile(dir + "\\source", other), static_cast<uint32_t>(ERROR_ACCESS_DENIED));
  EXPECT_EQ(Contents(dir + "\\source"), "nouveau");
  EXPECT_EQ(fs.CopyFile(dir + "\\absente", dir + "\\copie"), static_cast<uint32_t>(ERROR_FILE_NOT_FOUND));
  // Nothing made beside a name stays after a refusal.
  WIN32_FIND_DATAA f;
  HANDLE h = FindFirstFileA((dir + "\\~*").c_str(), &f);
  EXPECT_EQ(h, INVALID_HANDLE_VALUE) << f.cFileName;
  if (h != INVALID_HANDLE_VALUE) FindClose(h);
}

}  // namespace
