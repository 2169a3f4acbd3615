#pragma once
// The byte streams the compressed stream reads and writes: an abstract
// sequential stream, the memory stream that holds its bytes in one block, and
// the file stream that passes every piece straight to a file.

#include <cstddef>
#include <cstdint>
#include <string>

#include "common/Errors.h"
#include "platform/FileSystem.h"

// The input/output error of a failure on one file, saying which: the
// run-time library's text, " : ", the path in double quotes (control bytes
// shown as \xNN), and the system's own words in parentheses when the library
// has no text of its own for the code ("Erreur E/S 206 : "C:\a" (...)").
EInOutError ErreurSur(platform::FileSystem& fs, uint32_t code, const std::string& path);

class TStream {
public:
  virtual ~TStream() = default;
  // Reads up to n bytes at the position and moves past them; returns the count
  // read (0 at the end). Failures raise.
  virtual std::size_t Read(void* buf, std::size_t n) = 0;
  // Writes n bytes at the position, growing the stream when needed, and moves
  // past them; returns the count written. Failures raise.
  virtual std::size_t Write(const void* buf, std::size_t n) = 0;
  virtual std::size_t Size() const = 0;
  virtual std::size_t Position() const = 0;
  // Announces that n more bytes are coming at the position, so that a stream
  // that holds its bytes can make room for them at once. The size does not
  // change. Failures raise.
  virtual void Reserve(std::size_t n) { (void)n; }
};

// A stream held in one block of memory. A block that cannot be reserved raises
// EStreamError "Mémoire insuffisante lors de l'extension du flux mémoire".
class TMemoryStream : public TStream {
public:
  TMemoryStream() = default;
  ~TMemoryStream() override;
  TMemoryStream(const TMemoryStream&) = delete;
  TMemoryStream& operator=(const TMemoryStream&) = delete;
  TMemoryStream(TMemoryStream&& o) noexcept : data_(o.data_), size_(o.size_), capacity_(o.capacity_), pos_(o.pos_) {
    o.data_ = nullptr;
    o.size_ = o.capacity_ = o.pos_ = 0;
  }

  std::size_t Read(void* buf, std::size_t n) override;
  std::size_t Write(const void* buf, std::size_t n) override;
  std::size_t Size() const override { return size_; }
  std::size_t Position() const override { return pos_; }
  void Reserve(std::size_t n) override;
  // Sets the size; the position does not move, and bytes added are unset.
  void SetSize(std::size_t size);
  void SetPosition(std::size_t pos) { pos_ = pos; }

  uint8_t* Memory() { return data_; }
  const uint8_t* Memory() const { return data_; }

private:
  // Makes room for at least n bytes; bytes beyond the size are left unset.
  void Grow(std::size_t n);

  uint8_t* data_ = nullptr;
  std::size_t size_ = 0, capacity_ = 0, pos_ = 0;
};

// An open file read or written in sequence from where it stands, with no
// buffer of its own: each Read and Write is one call of the file (two beyond
// 1 GiB), so the caller's pieces are the pieces the system sees. The file
// stays the caller's to close. A failure raises EInOutError with the system's
// code; a write that stores fewer bytes than asked raises "Disque plein".
// Given the file's path and file system, the errors name the file (ErreurSur).
class TFileStream : public TStream {
public:
  explicit TFileStream(platform::File& file) : file_(file) {}
  TFileStream(platform::File& file, platform::FileSystem& fs, std::string path)
      : file_(file), fs_(&fs), path_(std::move(path)) {}

  std::size_t Read(void* buf, std::size_t n) override;
  std::size_t Write(const void* buf, std::size_t n) override;
  // The file's size as the system reports it.
  std::size_t Size() const override;
  // Bytes read or written through this stream.
  std::size_t Position() const override { return pos_; }

private:
  [[noreturn]] void Fail(uint32_t code) const;

  platform::File& file_;
  platform::FileSystem* fs_ = nullptr;
  std::string path_;
  std::size_t pos_ = 0;
};
