#pragma once
// A byte string of fixed capacity (at most 255) in code page 1252. Every
// operation that would make it longer than its capacity cuts it there, so the
// "cut to 255 / 79 characters" rules of the system live in one place.

#include <cstddef>
#include <string>
#include <string_view>

class ShortString {
public:
  static constexpr std::size_t MaxCapacity = 255;

  explicit ShortString(std::size_t capacity = MaxCapacity) : cap_(Clamp(capacity)) {}
  ShortString(std::string_view s, std::size_t capacity = MaxCapacity) : cap_(Clamp(capacity)) { Assign(s); }
  ShortString(const char* s, std::size_t capacity = MaxCapacity) : ShortString(std::string_view(s), capacity) {}

  // Assigning keeps this variable's capacity: the value is cut to it.
  ShortString& operator=(std::string_view s) {
    Assign(s);
    return *this;
  }
  ShortString& operator=(const char* s) {
    Assign(s);
    return *this;
  }
  ShortString& operator=(const ShortString& o) {
    Assign(o.s_);
    return *this;
  }
  ShortString(const ShortString&) = default;

  ShortString& operator+=(std::string_view s) {
    s_.append(s.substr(0, cap_ - s_.size()));
    return *this;
  }
  ShortString& operator+=(char c) {
    if (s_.size() < cap_) s_.push_back(c);
    return *this;
  }

  // Inserts at the 0-based position pos (clamped to the length); bytes pushed
  // past the capacity are lost from the end.
  void Insert(std::size_t pos, std::string_view s) {
    if (pos > s_.size()) pos = s_.size();
    s_.insert(pos, s);
    if (s_.size() > cap_) s_.resize(cap_);
  }
  // Deletes n bytes at the 0-based position pos; out-of-range parts are ignored.
  void Delete(std::size_t pos, std::size_t n) {
    if (pos < s_.size()) s_.erase(pos, n);
  }

  const std::string& str() const { return s_; }
  operator std::string_view() const { return s_; }
  const char* c_str() const { return s_.c_str(); }
  std::size_t size() const { return s_.size(); }
  std::size_t length() const { return s_.size(); }
  bool empty() const { return s_.empty(); }
  std::size_t capacity() const { return cap_; }
  char operator[](std::size_t i) const { return s_[i]; }

  friend bool operator==(const ShortString& a, const ShortString& b) { return a.s_ == b.s_; }
  friend bool operator==(const ShortString& a, std::string_view b) { return a.s_ == b; }
  friend bool operator==(const ShortString& a, const char* b) { return a.s_ == b; }
  friend std::string operator+(const ShortString& a, std::string_view b) { return a.s_ + std::string(b); }

private:
  static std::size_t Clamp(std::size_t c) { return c > MaxCapacity ? MaxCapacity : c; }
  void Assign(std::string_view s) { s_.assign(s.substr(0, cap_)); }

  std::size_t cap_;
  std::string s_;
};
