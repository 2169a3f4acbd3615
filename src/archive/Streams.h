#pragma once
// The byte streams the compressed stream reads and writes: an abstract stream
// with a position and a settable size, and the memory stream that holds a
// whole payload or expanded archive.

#include <cstddef>
#include <cstdint>

class TStream {
public:
  virtual ~TStream() = default;
  // Reads up to n bytes at the position and moves past them; returns the count
  // read (0 at the end).
  virtual std::size_t Read(void* buf, std::size_t n) = 0;
  // Writes n bytes at the position, growing the stream when needed, and moves
  // past them; returns the count written. Failures raise.
  virtual std::size_t Write(const void* buf, std::size_t n) = 0;
  virtual std::size_t Size() const = 0;
  // Sets the size; the position does not move, and bytes added are unset.
  // Failures raise.
  virtual void SetSize(std::size_t size) = 0;
  virtual std::size_t Position() const = 0;
  virtual void SetPosition(std::size_t pos) = 0;
};

// A stream held in one block of memory. A block that cannot be reserved raises
// EStreamError "Mémoire insuffisante lors de l'extension du flux mémoire".
class TMemoryStream : public TStream {
public:
  TMemoryStream() = default;
  ~TMemoryStream() override;
  TMemoryStream(const TMemoryStream&) = delete;
  TMemoryStream& operator=(const TMemoryStream&) = delete;
  TMemoryStream(TMemoryStream&& o) noexcept
      : data_(o.data_), size_(o.size_), capacity_(o.capacity_), pos_(o.pos_) {
    o.data_ = nullptr;
    o.size_ = o.capacity_ = o.pos_ = 0;
  }

  std::size_t Read(void* buf, std::size_t n) override;
  std::size_t Write(const void* buf, std::size_t n) override;
  std::size_t Size() const override { return size_; }
  void SetSize(std::size_t size) override;
  std::size_t Position() const override { return pos_; }
  void SetPosition(std::size_t pos) override { pos_ = pos; }

  uint8_t* Memory() { return data_; }
  const uint8_t* Memory() const { return data_; }

private:
  // Makes room for at least n bytes; bytes beyond the size are left unset.
  void Reserve(std::size_t n);

  uint8_t* data_ = nullptr;
  std::size_t size_ = 0, capacity_ = 0, pos_ = 0;
};
