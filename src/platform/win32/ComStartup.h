#pragma once
// The component object system's lifetime for the installer's thread.

namespace win32 {

// Initialises the component object system for the calling thread while it
// lives. Guards nest: only the outermost initialises and, when that
// succeeded, uninitialises. One guard lives for the whole program (the
// start-up and end of this unit), so callers never need their own.
class ComStartup {
public:
  ComStartup();
  ~ComStartup();
  ComStartup(const ComStartup&) = delete;
  ComStartup& operator=(const ComStartup&) = delete;
  // The guards alive now.
  static int Count();
};

}  // namespace win32
