#include "archive/Streams.h"

#include <cstdlib>
#include <cstring>

#include "common/Echappe.h"
#include "common/Errors.h"

namespace {

// The platform counts a transfer in 32 bits.
constexpr std::size_t MaxTransfer = std::size_t{1} << 30;

}  // namespace

EInOutError ErreurSur(platform::FileSystem& fs, uint32_t code, const std::string& path) {
  std::string detail = "\"" + EchappeControles(path) + "\"";
  if (InOutErrorMessage(code) == "Erreur E/S " + std::to_string(code)) {
    std::string words = fs.SystemMessage(code);
    if (!words.empty() && words.back() == '.') words.pop_back();
    detail += " (" + words + ")";
  }
  return EInOutError(code, detail);
}

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
    if (end > capacity_) Grow(end > capacity_ + capacity_ / 2 ? end : capacity_ + capacity_ / 2);
    if (pos_ > size_) std::memset(data_ + size_, 0, pos_ - size_);
    size_ = end;
  }
  std::memcpy(data_ + pos_, buf, n);
  pos_ = end;
  return n;
}

void TMemoryStream::Reserve(std::size_t n) {
  if (n > SIZE_MAX - pos_) throw EStreamError(SMemoryStreamError);
  if (pos_ + n > capacity_) Grow(pos_ + n);
}

void TMemoryStream::SetSize(std::size_t size) {
  // The new bytes are not cleared: a reserved stream is written over before
  // it is read, and clearing would touch every page of a large reservation.
  if (size > capacity_) Grow(size);
  size_ = size;
}

void TMemoryStream::Grow(std::size_t n) {
  void* p = std::realloc(data_, n);
  if (p == nullptr) throw EStreamError(SMemoryStreamError);
  data_ = static_cast<uint8_t*>(p);
  capacity_ = n;
}

std::size_t TFileStream::Read(void* buf, std::size_t n) {
  auto p = static_cast<uint8_t*>(buf);
  std::size_t total = 0;
  while (total < n) {
    uint32_t part = static_cast<uint32_t>(n - total > MaxTransfer ? MaxTransfer : n - total);
    uint32_t done = 0;
    if (uint32_t e = file_.Read(p + total, part, &done)) Fail(e);
    total += done;
    if (done < part) break;
  }
  pos_ += total;
  return total;
}

std::size_t TFileStream::Write(const void* buf, std::size_t n) {
  auto p = static_cast<const uint8_t*>(buf);
  std::size_t total = 0;
  while (total < n) {
    uint32_t part = static_cast<uint32_t>(n - total > MaxTransfer ? MaxTransfer : n - total);
    uint32_t done = 0;
    uint32_t e = file_.Write(p + total, part, &done);
    pos_ += done;
    if (e) Fail(e);
    if (done < part) Fail(EInOutError::DiskFull);
    total += done;
  }
  return total;
}

std::size_t TFileStream::Size() const {
  uint64_t size = file_.Size();
  return size > SIZE_MAX ? SIZE_MAX : static_cast<std::size_t>(size);
}

void TFileStream::Fail(uint32_t code) const {
  if (fs_ == nullptr) throw EInOutError(code);
  throw ErreurSur(*fs_, code, path_);
}
