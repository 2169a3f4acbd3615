#pragma once
// Owners for every kind of Win32 handle the program holds: each releases its
// handle once, on every way out, so no other code releases one by hand.

#include "platform/win32/Windows.h"

#include <oleauto.h>

#include <string>
#include <utility>

namespace win32 {

// A kernel handle (files, processes ...); closes it once.
class UniqueHandle {
public:
  UniqueHandle() = default;
  explicit UniqueHandle(HANDLE h) : h_(h) {}
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& o) noexcept : h_(o.Release()) {}
  UniqueHandle& operator=(UniqueHandle&& o) noexcept {
    Reset(o.Release());
    return *this;
  }
  ~UniqueHandle() { Reset(); }
  HANDLE Get() const { return h_; }
  bool Valid() const { return h_ != nullptr && h_ != INVALID_HANDLE_VALUE; }
  HANDLE Release() { return std::exchange(h_, INVALID_HANDLE_VALUE); }
  // Closes the held handle; returns false when CloseHandle failed.
  bool Reset(HANDLE h = INVALID_HANDLE_VALUE) {
    bool ok = true;
    if (Valid()) ok = CloseHandle(h_) != 0;
    h_ = h;
    return ok;
  }

private:
  HANDLE h_ = INVALID_HANDLE_VALUE;
};

// A directory search of FindFirstFile; ends it once with FindClose.
class FindHandle {
public:
  explicit FindHandle(HANDLE h) : h_(h) {}
  FindHandle(const FindHandle&) = delete;
  FindHandle& operator=(const FindHandle&) = delete;
  ~FindHandle() {
    if (Valid()) FindClose(h_);
  }
  bool Valid() const { return h_ != INVALID_HANDLE_VALUE; }

private:
  HANDLE h_;
};

// An open registry key; closes it once.
class UniqueKey {
public:
  UniqueKey() = default;
  explicit UniqueKey(HKEY h) : h_(h) {}
  UniqueKey(const UniqueKey&) = delete;
  UniqueKey& operator=(const UniqueKey&) = delete;
  ~UniqueKey() {
    if (h_) RegCloseKey(h_);
  }
  HKEY Get() const { return h_; }
  // Where an API stores a new key; the holder must be empty.
  HKEY* Put() { return &h_; }

private:
  HKEY h_ = nullptr;
};

// One COM interface pointer; releases it once.
template <class T>
class ComPtr {
public:
  ComPtr() = default;
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  ComPtr(ComPtr&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
  ComPtr& operator=(ComPtr&& o) noexcept {
    if (this != &o) {
      Reset();
      p_ = std::exchange(o.p_, nullptr);
    }
    return *this;
  }
  ~ComPtr() { Reset(); }
  T* operator->() const { return p_; }
  T* Get() const { return p_; }
  // Where an API stores a new pointer; the held one is released first.
  void** Put() {
    Reset();
    return reinterpret_cast<void**>(&p_);
  }
  void Reset() {
    if (p_) p_->Release();
    p_ = nullptr;
  }

private:
  T* p_ = nullptr;
};

// A string of the automation interfaces (BSTR), made from a wide string;
// freed once.
class SystemString {
public:
  explicit SystemString(const std::wstring& s) : s_(SysAllocStringLen(s.data(), static_cast<UINT>(s.size()))) {}
  SystemString(const SystemString&) = delete;
  SystemString& operator=(const SystemString&) = delete;
  ~SystemString() { SysFreeString(s_); }
  BSTR Get() const { return s_; }

private:
  BSTR s_;
};

// A GDI object (font, pen, brush, bitmap); deletes it once. Stock objects
// are held without ownership and never deleted.
template <class H>
class GdiObject {
public:
  GdiObject() = default;
  explicit GdiObject(H h, bool owned = true) : h_(h), owned_(owned) {}
  GdiObject(GdiObject&& o) noexcept : h_(std::exchange(o.h_, nullptr)), owned_(o.owned_) {}
  GdiObject& operator=(GdiObject&& o) noexcept {
    if (this != &o) {
      Reset();
      h_ = std::exchange(o.h_, nullptr);
      owned_ = o.owned_;
    }
    return *this;
  }
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;
  ~GdiObject() { Reset(); }

  H Get() const { return h_; }
  void Reset() {
    if (h_ && owned_) DeleteObject(h_);
    h_ = nullptr;
  }

private:
  H h_ = nullptr;
  bool owned_ = true;
};

// Keeps one object of a kind selected into a DC; the object that was there
// first is selected back on destruction, before the owned one is deleted.
template <class H>
class GdiSelection {
public:
  explicit GdiSelection(HDC dc) : dc_(dc) {}
  GdiSelection(const GdiSelection&) = delete;
  GdiSelection& operator=(const GdiSelection&) = delete;
  ~GdiSelection() {
    if (original_) SelectObject(dc_, original_);
  }

  void Select(GdiObject<H> obj) {
    HGDIOBJ prev = SelectObject(dc_, obj.Get());
    if (!original_) original_ = prev;
    current_ = std::move(obj);  // the previous own object is deselected: safe to delete now
  }
  bool Empty() const { return current_.Get() == nullptr; }

private:
  HDC dc_;
  HGDIOBJ original_ = nullptr;
  GdiObject<H> current_;
};

// SaveDC and RestoreDC around a change of a DC's state.
class SavedDcState {
public:
  explicit SavedDcState(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
  SavedDcState(const SavedDcState&) = delete;
  SavedDcState& operator=(const SavedDcState&) = delete;
  ~SavedDcState() { RestoreDC(dc_, saved_); }

private:
  HDC dc_;
  int saved_;
};

// The device context of a window's client area (of the screen for no
// window), taken with GetDC and released with it.
class WindowDc {
public:
  explicit WindowDc(HWND hwnd = nullptr) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  ~WindowDc() {
    if (dc_) ReleaseDC(hwnd_, dc_);
  }
  HDC Get() const { return dc_; }

private:
  HWND hwnd_;
  HDC dc_;
};

// A memory device context compatible with like (the screen by default);
// deleted once.
class MemoryDc {
public:
  explicit MemoryDc(HDC like = nullptr) : dc_(CreateCompatibleDC(like)) {}
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;
  ~MemoryDc() {
    if (dc_) DeleteDC(dc_);
  }
  HDC Get() const { return dc_; }

private:
  HDC dc_;
};

// The painting of a window between BeginPaint and EndPaint.
class PaintDc {
public:
  explicit PaintDc(HWND hwnd) : hwnd_(hwnd), dc_(BeginPaint(hwnd, &ps_)) {}
  PaintDc(const PaintDc&) = delete;
  PaintDc& operator=(const PaintDc&) = delete;
  ~PaintDc() { EndPaint(hwnd_, &ps_); }
  HDC Get() const { return dc_; }
  const RECT& Area() const { return ps_.rcPaint; }

private:
  HWND hwnd_;
  PAINTSTRUCT ps_{};
  HDC dc_;
};

// Memory the system allocated on the process heap for the caller; freed
// once with HeapFree.
template <class T>
class HeapMemory {
public:
  explicit HeapMemory(T* p) : p_(p) {}
  HeapMemory(const HeapMemory&) = delete;
  HeapMemory& operator=(const HeapMemory&) = delete;
  ~HeapMemory() {
    if (p_) HeapFree(GetProcessHeap(), 0, p_);
  }
  T* Get() const { return p_; }

private:
  T* p_;
};

}  // namespace win32
