# Shared by scripts/test and scripts/run.
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
jobs=$(nproc 2>/dev/null || echo 2)

# Ends what Wine left running in the prefixes, then the display it drew on.
stop_display() {
  WINEPREFIX="${BRANNOCH_WINEPREFIX:-$top/build/win64/wineprefix}" /usr/lib/wine/wineserver -k 2>/dev/null || true
  if [ -f "$top/build/wine32/root/.brannoch-ready" ]; then
    BRANNOCH_WINEPREFIX="${BRANNOCH_WINEPREFIX:-$top/build/win32/wineprefix}" \
      "$top/cmake/wine32-run" --server -k 2>/dev/null || true
  fi
  kill "$xvfb_pid" 2>/dev/null || true
}

# A private X display under Xvfb, unless one is asked for and there.
start_xvfb() {
  local n
  for n in $(seq 90 120); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
    export DISPLAY=":$n"
    trap stop_display EXIT
    return 0
  done
  echo "no free X display number" >&2
  return 1
}

build_all() {
  cmake --preset native >/dev/null
  cmake --build --preset native -j "$jobs"
  cmake --preset win64 >/dev/null
  cmake --build --preset win64 -j "$jobs"
  cmake --preset win32 >/dev/null
  cmake --build --preset win32 -j "$jobs"
}
