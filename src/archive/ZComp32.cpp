#include "archive/ZComp32.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <new>
#include <string>

#include "common/Errors.h"
#include "common/LittleEndian.h"

namespace {

std::unique_ptr<Bytef[]> NewBuffer() {
  Bytef* p = new (std::nothrow) Bytef[TZCompress::BufferSize];
  if (p == nullptr) throw EOutOfMemory(SOutOfMemory);
  return std::unique_ptr<Bytef[]>(p);
}

// Ends the inflate state however DecompressStream leaves; the check of its
// code is done by hand on the way out of a success only, so that a failure
// already on its way is not replaced.
class InflateState {
public:
  explicit InflateState(z_stream& z) : z_(z) {}
  ~InflateState() {
    if (active_) inflateEnd(&z_);
  }
  void Release() { active_ = false; }

private:
  z_stream& z_;
  bool active_ = true;
};

}  // namespace

void TZCompress::Check(int code) {
  // Lack of memory inside zlib is the run-time library's error, not a zlib code.
  if (code == Z_MEM_ERROR) throw EOutOfMemory(SOutOfMemory);
  throw ECompressionError("Error in compression routine: " + std::to_string(code));
}

void TZCompress::CheckInflateInit(z_stream& z) {
  int code = inflateInit(&z);
  if (code != Z_OK) Check(code);
}

int TZCompress::CheckInflate(z_stream& z) {
  int code = inflate(&z, Z_NO_FLUSH);
  if (code != Z_OK && code != Z_STREAM_END) Check(code);
  return code;
}

void TZCompress::CheckInflateEnd(z_stream& z) {
  int code = inflateEnd(&z);
  if (code != Z_OK) Check(code);
}

void TZCompress::DecompressStream(TStream& input, TStream& output, const TZCompressProgress& progress) {
  z_stream z;
  std::memset(&z, 0, sizeof z);
  CheckInflateInit(z);
  InflateState state(z);
  std::unique_ptr<Bytef[]> in = NewBuffer();
  std::unique_ptr<Bytef[]> out = NewBuffer();

  uint8_t field[4];
  if (input.Read(field, 4) != 4) Check(Z_BUF_ERROR);
  uint32_t declared = LitLe32(field);
  // Sizes of 2^31 and more are outside the format; a size that the data left
  // could not expand to is refused before the output is reserved for it.
  std::size_t left = input.Size() > input.Position() ? input.Size() - input.Position() : 0;
  if (declared > INT32_MAX || declared > MaxRatio * left) Check(Z_DATA_ERROR);
  const uLong n = declared;

  output.Reserve(n);

  z.next_out = out.get();
  z.avail_out = BufferSize;
  z.next_in = in.get();
  z.avail_in = static_cast<uInt>(input.Read(in.get(), BufferSize));

  while (z.total_out < n) {
    int code = CheckInflate(z);
    if (progress) progress(*this, z);
    // The data end before the declared size: no further call can reach it.
    if (code == Z_STREAM_END && z.total_out < n) Check(Z_DATA_ERROR);
    if (z.avail_in == 0) {
      z.next_in = in.get();
      z.avail_in = static_cast<uInt>(input.Read(in.get(), BufferSize));
    }
    if (z.avail_out == 0) {
      output.Write(out.get(), BufferSize);
      z.next_out = out.get();
      z.avail_out = BufferSize;
    }
  }
  // Data beyond the declared size would be written only in part.
  if (z.total_out > n) Check(Z_BUF_ERROR);
  output.Write(out.get(), BufferSize - z.avail_out);

  uLong before = z.total_out;
  int code = inflate(&z, Z_FINISH);
  if (progress) progress(*this, z);
  if (code != Z_STREAM_END) Check(code);
  if (z.total_out != before) Check(Z_BUF_ERROR);

  in.reset();
  out.reset();
  state.Release();
  CheckInflateEnd(z);
}
