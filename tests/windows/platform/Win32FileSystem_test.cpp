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
