// The file stream over the platform's files, and the compressed stream in
// pieces: what reaches the output, in which pieces, and the failures of the
// file underneath.
#include <gtest/gtest.h>
#include <zlib.h>

#include <random>
#include <string>
#include <vector>

#include "archive/Streams.h"
#include "archive/ZComp32.h"
#include "common/Errors.h"
#include "support/MemoryFileSystem.h"

namespace {

using Op = MemoryFileSystem::Op;
using platform::Access;
using platform::Disposition;
using platform::Share;

std::string Noise(std::size_t n, unsigned seed = 7) {
  std::mt19937 g(seed);
  std::string s(n, '\0');
  for (char& c : s) c = static_cast<char>(g());
  return s;
}

std::string Packed(const std::string& data) {
  uLongf n = compressBound(data.size());
  std::string z(n, '\0');
  compress2(reinterpret_cast<Bytef*>(z.data()), &n, reinterpret_cast<const Bytef*>(data.data()), data.size(), 1);
  z.resize(n);
  std::string head;
  for (int i = 0; i < 4; ++i) head += static_cast<char>(data.size() >> (8 * i));
  return head + z;
}

// An output that keeps the size of every write and what was announced.
class PieceRecorder : public TStream {
public:
  std::vector<std::size_t> Writes;
  std::vector<std::size_t> Reserved;
  std::string Bytes;

  std::size_t Read(void*, std::size_t) override { return 0; }
  std::size_t Write(const void* buf, std::size_t n) override {
    Writes.push_back(n);
    Bytes.append(static_cast<const char*>(buf), n);
    return n;
  }
  std::size_t Size() const override { return Bytes.size(); }
  std::size_t Position() const override { return Bytes.size(); }
  void Reserve(std::size_t n) override { Reserved.push_back(n); }
};

std::string Raised(const std::function<void()>& f) {
  try {
    f();
  } catch (const Exception& e) {
    return std::string(e.ClassName()) + ": " + e.Message();
  }
  return "nothing raised";
}

class FileStreams : public ::testing::Test {
protected:
  MemoryFileSystem fs;
  std::unique_ptr<platform::File> Open(const std::string& path, Access a, Disposition d) {
    uint32_t e = 0;
    auto f = fs.Open(path, a, Share::Read, d, &e);
    EXPECT_EQ(e, 0u);
    return f;
  }
};

TEST_F(FileStreams, ReadsAndWritesInTheCallersPieces) {
  fs.AddFile("C:\\in", "0123456789");
  auto in = Open("C:\\in", Access::Read, Disposition::OpenExisting);
  TFileStream r(*in);
  EXPECT_EQ(r.Size(), 10u);
  char buf[16] = {};
  EXPECT_EQ(r.Read(buf, 4), 4u);
  EXPECT_EQ(r.Read(buf + 4, 16), 6u);  // up to the end
  EXPECT_EQ(r.Read(buf, 16), 0u);
  EXPECT_EQ(std::string(buf), "0123456789");
  EXPECT_EQ(r.Position(), 10u);

  auto out = Open("C:\\out", Access::Write, Disposition::CreateAlways);
  TFileStream w(*out);
  w.Reserve(1000);  // nothing to make room in: the file stays as it is
  EXPECT_EQ(fs.Contents("C:\\out"), "");
  EXPECT_EQ(w.Write("abc", 3), 3u);
  EXPECT_EQ(w.Write("", 0), 0u);
  EXPECT_EQ(w.Write("defg", 4), 4u);
  EXPECT_EQ(w.Position(), 7u);
  EXPECT_EQ(w.Size(), 7u);
  EXPECT_EQ(fs.Contents("C:\\out"), "abcdefg");
  // One call of the file per piece, none for an empty one.
  EXPECT_EQ(fs.CallsOf(Op::Write).size(), 2u);
}

TEST_F(FileStreams, FailuresOfTheFileRaiseItsErrors) {
  fs.AddFile("C:\\in", "0123456789");
  auto in = Open("C:\\in", Access::Read, Disposition::OpenExisting);
  TFileStream r(*in);
  fs.AddFault({Op::Read, "C:\\in", 23, 2, 0, 1});
  char buf[8];
  EXPECT_EQ(Raised([&] { r.Read(buf, 8); }), "EInOutError: Erreur E/S 23");

  auto out = Open("C:\\out", Access::Write, Disposition::CreateAlways);
  TFileStream w(*out);
  fs.AddFault({Op::Write, "C:\\out", 0, 3, 0, 1});
  EXPECT_EQ(Raised([&] { w.Write("abcdef", 6); }), "EInOutError: Disque plein");
  EXPECT_EQ(w.Position(), 3u);
  fs.SetFreeSpace(2, MemoryFileSystem::DiskFull::Error);
  EXPECT_EQ(Raised([&] { w.Write("ghijkl", 6); }), "EInOutError: Erreur E/S 112");
  EXPECT_EQ(fs.Contents("C:\\out"), "abc");
  out->Close();
  EXPECT_EQ(Raised([&] { w.Write("x", 1); }), "EInOutError: Erreur E/S 6");
}

TEST(ZComp32Pieces, OutputComesInWholeBuffersAroundTheBoundaries) {
  const std::size_t b = TZCompress::BufferSize;
  ASSERT_GE(b, 256u * 1024);
  for (std::size_t n : {b - 1, b, b + 1, 2 * b, 2 * b + 5}) {
    std::string data = Noise(n, static_cast<unsigned>(n));
    TMemoryStream in;
    std::string packed = Packed(data);
    in.Write(packed.data(), packed.size());
    in.SetPosition(0);
    PieceRecorder out;
    TZCompress().DecompressStream(in, out, nullptr);
    EXPECT_EQ(out.Bytes, data) << n;
    EXPECT_EQ(out.Reserved, std::vector<std::size_t>{n}) << n;
    // Whole buffers, then what is left (possibly nothing).
    std::vector<std::size_t> expected(n / b, b);
    expected.push_back(n % b);
    EXPECT_EQ(out.Writes, expected) << n;
  }
}

TEST(ZComp32Pieces, FileToFileThroughTheFileSystem) {
  MemoryFileSystem fs;
  std::string data = Noise(3 * TZCompress::BufferSize + 100);
  fs.AddFile("C:\\p", Packed(data));
  uint32_t e = 0;
  auto in = fs.Open("C:\\p", Access::Read, Share::Read, Disposition::OpenExisting, &e);
  auto out = fs.Open("C:\\a", Access::Write, Share::None, Disposition::CreateAlways, &e);
  TFileStream from(*in), to(*out);
  TZCompress().DecompressStream(from, to, nullptr);
  EXPECT_EQ(fs.Contents("C:\\a"), data);
  std::vector<MemoryFileSystem::Call> writes = fs.CallsOf(Op::Write);
  EXPECT_EQ(writes.size(), 4u);
  // The compressed input is read in whole buffers as well: the size field,
  // four buffers for noise that does not shrink, perhaps one that finds the end.
  EXPECT_LE(fs.CallsOf(Op::Read).size(), 6u);
}

}  // namespace
