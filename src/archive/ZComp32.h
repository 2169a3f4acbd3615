#pragma once
// The compressed stream: a 4-byte little-endian uncompressed size followed by
// one zlib stream, expanded into an output stream.

#include <zlib.h>

#include <functional>
#include <string>

#include "archive/Streams.h"

class TZCompress;
// Called after every inflate step with the stream record, whose totals tell
// how far the expansion is.
using TZCompressProgress = std::function<void(TZCompress& sender, const z_stream& record)>;

class TZCompress {
public:
  // Size of each of the two working buffers: the input is read and the
  // output written in pieces of this size, the last one excepted.
  static constexpr unsigned BufferSize = 256 * 1024;
  // Deflate cannot expand more than this many times its input, so a declared
  // size above it is refused before any memory is reserved.
  static constexpr uint64_t MaxRatio = 1032;

  // Expands the compressed stream that starts at input's position, writing
  // exactly the declared number of bytes at output's position, announced to
  // it first (TStream::Reserve). zlib inflates straight into the buffer that
  // is written, so a file stream receives whole buffers. Raises
  // ECompressionError "Error in compression routine: <code>" for damaged data:
  // the zlib code, -5 for an input that ends too early (the size field
  // included) or data that hold more than the declared size, -3 for a
  // declared size that the data do not reach or cannot reach; the code is
  // followed by the situation in words, in parentheses. Memory that cannot be
  // had raises the run-time library's out-of-memory errors.
  void DecompressStream(TStream& input, TStream& output, const TZCompressProgress& progress);

private:
  [[noreturn]] static void Check(int code, const std::string& situation);
  static void CheckInflateInit(z_stream& z);
  static int CheckInflate(z_stream& z);
  static void CheckInflateEnd(z_stream& z);
};
