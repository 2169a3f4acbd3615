#pragma once
// Owners of the Win32 handles the pilot and its test program open: each
// releases its handle when it goes out of scope. The pilot is a tool apart
// from the product and does not include the product's layers, hence these
// few of its own.

#include <windows.h>

#include <utility>

namespace pilot {

// A kernel handle (process, thread, snapshot), closed with CloseHandle.
// Null and INVALID_HANDLE_VALUE hold nothing. Movable, not copyable.
class Handle {
public:
  explicit Handle(HANDLE h = nullptr) : h_(h) {}
  ~Handle() {
    if (h_ && h_ != INVALID_HANDLE_VALUE) CloseHandle(h_);
  }
  Handle(Handle&& o) noexcept : h_(o.h_) { o.h_ = nullptr; }
  Handle& operator=(Handle&& o) noexcept {
    std::swap(h_, o.h_);
    return *this;
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  HANDLE get() const { return h_; }

private:
  HANDLE h_;
};

// The device context of a window's client area (of the screen for a null
// window), from GetDC and given back with ReleaseDC.
class WindowDC {
public:
  explicit WindowDC(HWND w) : w_(w), dc_(GetDC(w)) {}
  ~WindowDC() {
    if (dc_) ReleaseDC(w_, dc_);
  }
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;
  HDC get() const { return dc_; }

private:
  HWND w_;
  HDC dc_;
};

// A memory device context compatible with `like`, deleted with DeleteDC.
class MemoryDC {
public:
  explicit MemoryDC(HDC like) : dc_(CreateCompatibleDC(like)) {}
  ~MemoryDC() {
    if (dc_) DeleteDC(dc_);
  }
  MemoryDC(const MemoryDC&) = delete;
  MemoryDC& operator=(const MemoryDC&) = delete;
  HDC get() const { return dc_; }

private:
  HDC dc_;
};

// A bitmap, deleted with DeleteObject. It must not be selected into a DC
// by then: declare its Selection after it.
class Bitmap {
public:
  explicit Bitmap(HBITMAP b) : b_(b) {}
  ~Bitmap() {
    if (b_) DeleteObject(b_);
  }
  Bitmap(const Bitmap&) = delete;
  Bitmap& operator=(const Bitmap&) = delete;
  HBITMAP get() const { return b_; }

private:
  HBITMAP b_;
};

// An object selected into a DC until the end of the scope, when the one it
// replaced is selected back.
class Selection {
public:
  Selection(HDC dc, HGDIOBJ o) : dc_(dc), old_(SelectObject(dc, o)) {}
  ~Selection() { SelectObject(dc_, old_); }
  Selection(const Selection&) = delete;
  Selection& operator=(const Selection&) = delete;

private:
  HDC dc_;
  HGDIOBJ old_;
};

// A wide string the system allocated on the process heap for the caller,
// freed with HeapFree.
class HeapString {
public:
  explicit HeapString(LPWSTR s) : s_(s) {}
  ~HeapString() {
    if (s_) HeapFree(GetProcessHeap(), 0, s_);
  }
  HeapString(const HeapString&) = delete;
  HeapString& operator=(const HeapString&) = delete;
  LPWSTR get() const { return s_; }

private:
  LPWSTR s_;
};

}  // namespace pilot
