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

// What a code of inflate means where it came, in words: zlib's own message
// only tells the words apart and is not shown.
std::string Situation(const z_stream& z, int code) {
  std::string msg = z.msg != nullptr ? z.msg : "";
  switch (code) {
    case Z_NEED_DICT: return "le flux demande un dictionnaire prédéfini";
    case Z_BUF_ERROR: return "flux coupé avant sa fin, après " + std::to_string(z.total_out) + " octets étendus";
    case Z_DATA_ERROR:
      if (msg == "incorrect header check" || msg == "unknown compression method" || msg == "invalid window size")
        return "en-tête zlib incorrect";
      if (msg == "incorrect data check") return "somme de contrôle Adler-32 incorrecte";
      return "données compressées endommagées après " + std::to_string(z.total_out) + " octets étendus";
  }
  return "état du flux incorrect";
}

}  // namespace

void TZCompress::Check(int code, const std::string& situation) {
  // Lack of memory inside zlib is the run-time library's error, not a zlib code.
  if (code == Z_MEM_ERROR) throw EOutOfMemory(SOutOfMemory);
  throw ECompressionError("Error in compression routine: " + std::to_string(code) + " (" + situation + ")");
}

void TZCompress::CheckInflateInit(z_stream& z) {
  int code = inflateInit(&z);
  if (code != Z_OK) Check(code, Situation(z, code));
}

int TZCompress::CheckInflate(z_stream& z) {
  int code = inflate(&z, Z_NO_FLUSH);
  if (code != Z_OK && code != Z_STREAM_END) Check(code, Situation(z, code));
  return code;
}

void TZCompress::CheckInflateEnd(z_stream& z) {
  int code = inflateEnd(&z);
  if (code != Z_OK) Check(code, Situation(z, code));
}

void TZCompress::DecompressStream(TStream& input, TStream& output, const TZCompressProgress& progress) {
  z_stream z;
  std::memset(&z, 0, sizeof z);
  CheckInflateInit(z);
  InflateState state(z);
  std::unique_ptr<Bytef[]> in = NewBuffer();
  std::unique_ptr<Bytef[]> out = NewBuffer();

  uint8_t field[4];
  if (input.Read(field, 4) != 4) Check(Z_BUF_ERROR, "moins de 4 octets, pas de taille annoncée");
  uint32_t declared = LitLe32(field);
  // Sizes of 2^31 and more are outside the format; a size that the data left
  // could not expand to is refused before the output is reserved for it.
  std::size_t left = input.Size() > input.Position() ? input.Size() - input.Position() : 0;
  const std::string announced = "taille annoncée de " + std::to_string(declared) + " octets";
  if (declared > INT32_MAX) Check(Z_DATA_ERROR, announced + ", hors du format");
  if (declared > MaxRatio * left)
    Check(Z_DATA_ERROR, announced + ", impossible pour " + std::to_string(left) + " octets compressés");
  const uLong n = declared;
  const std::string beyond = "données au-delà de la " + announced;

  output.Reserve(n);

  z.next_out = out.get();
  z.avail_out = BufferSize;
  z.next_in = in.get();
  z.avail_in = static_cast<uInt>(input.Read(in.get(), BufferSize));

  while (z.total_out < n) {
    int code = CheckInflate(z);
    if (progress) progress(*this, z);
    // The data end before the declared size: no further call can reach it.
    if (code == Z_STREAM_END && z.total_out < n)
      Check(Z_DATA_ERROR, "flux terminé après " + std::to_string(z.total_out) + " octets, " + announced);
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
  if (z.total_out > n) Check(Z_BUF_ERROR, beyond);
  output.Write(out.get(), BufferSize - z.avail_out);

  uLong before = z.total_out;
  int code = inflate(&z, Z_FINISH);
  if (progress) progress(*this, z);
  // Output of the final call means more data than announced.
  if (code != Z_STREAM_END) Check(code, code == Z_BUF_ERROR && z.total_out != before ? beyond : Situation(z, code));
  if (z.total_out != before) Check(Z_BUF_ERROR, beyond);

  in.reset();
  out.reset();
  state.Release();
  CheckInflateEnd(z);
}
