// The compressed stream: exact expansion, the zlib codes of damaged streams,
// and the refusal of sizes the data do not match.
#include <gtest/gtest.h>
#include <zlib.h>

#include <random>
#include <string>

#include "archive/ZComp32.h"
#include "common/Errors.h"

namespace {

std::string Le32(uint32_t v) {
  return {static_cast<char>(v), static_cast<char>(v >> 8), static_cast<char>(v >> 16), static_cast<char>(v >> 24)};
}

std::string Zlib(const std::string& data, int level = 1) {
  uLongf n = compressBound(data.size());
  std::string out(n, '\0');
  EXPECT_EQ(compress2(reinterpret_cast<Bytef*>(out.data()), &n, reinterpret_cast<const Bytef*>(data.data()),
                      data.size(), level),
            Z_OK);
  out.resize(n);
  return out;
}

std::string Packed(const std::string& data) { return Le32(static_cast<uint32_t>(data.size())) + Zlib(data); }

std::string Noise(std::size_t n, unsigned seed = 1) {
  std::mt19937 g(seed);
  std::string s(n, '\0');
  for (char& c : s) c = static_cast<char>(g());
  return s;
}

TMemoryStream StreamOf(const std::string& bytes) {
  TMemoryStream s;
  s.Write(bytes.data(), bytes.size());
  s.SetPosition(0);
  return s;
}

std::string Expand(const std::string& stream) {
  TMemoryStream in = StreamOf(stream);
  TMemoryStream out;
  TZCompress().DecompressStream(in, out, nullptr);
  return std::string(reinterpret_cast<const char*>(out.Memory()), out.Size());
}

// The message of the ECompressionError that expanding raises, "" if none.
std::string Failure(const std::string& stream) {
  try {
    Expand(stream);
  } catch (const ECompressionError& e) {
    return e.Message();
  }
  return "";
}

// The specified text and code, then the situation in words.
std::string Code(int code, const std::string& words) {
  return "Error in compression routine: " + std::to_string(code) + " (" + words + ")";
}

TEST(ZComp32, EmptyStreamOfSizeZeroSucceedsWithNothingWritten) { EXPECT_EQ(Expand(Packed("")), ""); }

TEST(ZComp32, ExpandsExactlyAcrossBufferBoundaries) {
  // One full output buffer and nothing after it; then input arriving in
  // several blocks (noise does not compress).
  for (std::size_t n : {std::size_t{1}, std::size_t{0xFFFF}, std::size_t{0x10000}, std::size_t{300000}}) {
    std::string data = Noise(n, static_cast<unsigned>(n));
    std::string packed = Packed(data);
    if (n == 300000) {
      ASSERT_GT(packed.size(), 2u * 0xFFFF);
    }
    EXPECT_EQ(Expand(packed), data) << n;
  }
  std::string text;
  for (int i = 0; i < 100000; ++i) text += "Fiche " + std::to_string(i) + "\r\n";
  EXPECT_EQ(Expand(Packed(text)), text);
}

TEST(ZComp32, WritesAtTheOutputPositionAndReportsProgress) {
  std::string data = Noise(200000);
  TMemoryStream in = StreamOf(Packed(data));
  TMemoryStream out = StreamOf("head");
  out.SetPosition(4);
  uLong last = 0;
  int calls = 0;
  TZCompress().DecompressStream(in, out, [&](TZCompress&, const z_stream& z) {
    EXPECT_GE(z.total_out, last);
    last = z.total_out;
    ++calls;
  });
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(out.Memory()), out.Size()), "head" + data);
  EXPECT_EQ(last, data.size());
  EXPECT_GE(calls, 2);
}

TEST(ZComp32, DamagedStreamsGiveTheirZlibCodes) {
  std::string data = Noise(100000);
  std::string packed = Packed(data);

  std::string adler = packed;
  adler.back() ^= 1;
  EXPECT_EQ(Failure(adler), Code(Z_DATA_ERROR, "somme de contrôle Adler-32 incorrecte"));

  EXPECT_EQ(Failure(packed.substr(0, packed.size() / 2)),
            Code(Z_BUF_ERROR, "flux coupé avant sa fin, après 49996 octets étendus"));
  // Only the trailer missing: seen by the final call.
  EXPECT_EQ(Failure(packed.substr(0, packed.size() - 2)),
            Code(Z_BUF_ERROR, "flux coupé avant sa fin, après 100000 octets étendus"));

  std::string header = packed;
  header[4] = 0x79;  // not method 8
  EXPECT_EQ(Failure(header), Code(Z_DATA_ERROR, "en-tête zlib incorrect"));
  std::string block = packed;
  block[6] = 0x07;  // a first block of the reserved type 3
  EXPECT_EQ(Failure(block), Code(Z_DATA_ERROR, "données compressées endommagées après 0 octets étendus"));

  // FDICT set, header check kept a multiple of 31.
  std::string dict = Le32(5) + std::string("\x78\x20", 2) + std::string(8, '\0');
  dict[5] = static_cast<char>(0x20 + (31 - (0x7820 % 31)));
  EXPECT_EQ(Failure(dict), Code(Z_NEED_DICT, "le flux demande un dictionnaire prédéfini"));
}

TEST(ZComp32, DeclaredSizeMustMatchTheData) {
  std::string data = Noise(1000);
  std::string z = Zlib(data);
  // The data end first: refused instead of looping for ever.
  EXPECT_EQ(Failure(Le32(1001) + z),
            Code(Z_DATA_ERROR, "flux terminé après 1000 octets, taille annoncée de 1001 octets"));
  EXPECT_EQ(Failure(Le32(200000) + Zlib(std::string(100000, 'x'))),
            Code(Z_DATA_ERROR, "flux terminé après 100000 octets, taille annoncée de 200000 octets"));
  // Data beyond the declared size, produced inside the loop or by the final call.
  EXPECT_EQ(Failure(Le32(999) + z), Code(Z_BUF_ERROR, "données au-delà de la taille annoncée de 999 octets"));
  EXPECT_EQ(Failure(Le32(0) + z), Code(Z_BUF_ERROR, "données au-delà de la taille annoncée de 0 octets"));
  std::string big = Noise(150000);
  EXPECT_EQ(Failure(Le32(70000) + Zlib(big)),
            Code(Z_BUF_ERROR, "données au-delà de la taille annoncée de 70000 octets"));
  EXPECT_EQ(Expand(Le32(1000) + z), data);
}

TEST(ZComp32, ShortSizeFieldIsRefused) {
  for (std::string s : {std::string(), std::string("\x01"), std::string("\x01\x00\x00", 3)})
    EXPECT_EQ(Failure(s), Code(Z_BUF_ERROR, "moins de 4 octets, pas de taille annoncée")) << s.size();
}

TEST(ZComp32, ImpossibleSizesAreRefusedBeforeReserving) {
  std::string z = Zlib(std::string(5000, 'a'));
  for (uint32_t declared : {static_cast<uint32_t>(TZCompress::MaxRatio * z.size() + 1), 0x80000000u, 0xFFFFFFFFu}) {
    TMemoryStream in = StreamOf(Le32(declared) + z);
    TMemoryStream out;
    EXPECT_THROW(TZCompress().DecompressStream(in, out, nullptr), ECompressionError) << declared;
    EXPECT_EQ(out.Size(), 0u);
  }
  EXPECT_EQ(Failure(Le32(0x80000000u) + z), Code(Z_DATA_ERROR, "taille annoncée de 2147483648 octets, hors du format"));
  EXPECT_EQ(Failure(Le32(20000000) + z), Code(Z_DATA_ERROR, "taille annoncée de 20000000 octets, impossible pour " +
                                                                std::to_string(z.size()) + " octets compressés"));
}

}  // namespace
