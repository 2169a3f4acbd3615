#include "archive/Streams.h"

#include <cstdlib>
#include <cstring>

#include "common/Errors.h"

TMemoryStream::~TMemoryStream() { std::free(data_); }

std::size_t TMemoryStream::Read(void* buf, std::size_t n) {
  if (pos_ >= size_) return 0;
  if (n > size_ - pos_) n = size_ - pos_;
  std::memcpy(buf, data_ + pos_, n);
  pos_ += n;
  return n;
}

std::size_t TMemoryStream::Write(const void* buf, std::size_t n) {
  if (n == 0) return 0;
  if (n > SIZE_MAX - pos_) throw EStreamError(SMemoryStreamError);
  std::size_t end = pos_ + n;
  if (end > size_) {
    // Grow by half again so that a stream written piece by piece is not
    // copied on every write.
    if (end > capacity_) Reserve(end > capacity_ + capacity_ / 2 ? end : capacity_ + capacity_ / 2);
    if (pos_ > size_) std::memset(data_ + size_, 0, pos_ - size_);
    size_ = end;
  }
  std::memcpy(data_ + pos_, buf, n);
  pos_ = end;
  return n;
}

void TMemoryStream::SetSize(std::size_t size) {
  // The new bytes are not cleared: a reserved stream is written over before
  // it is read, and clearing would touch every page of a large reservation.
  if (size > capacity_) Reserve(size);
  size_ = size;
}

void TMemoryStream::Reserve(std::size_t n) {
  void* p = std::realloc(data_, n);
  if (p == nullptr) throw EStreamError(SMemoryStreamError);
  data_ = static_cast<uint8_t*>(p);
  capacity_ = n;
}
