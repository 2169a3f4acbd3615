#!/usr/bin/env bash
# run.sh BUILD-FOLDER [SECONDS]: runs waitbench under Wine and adds the CPU
# time the prefix's wineserver spent meanwhile (each refused open is a
# server call under Wine).
set -euo pipefail
build=$(cd "$1" && pwd) seconds=${2:-5}
top=$(cd "$(dirname "$0")/../.." && pwd)
export BRANNOCH_WINEPREFIX=${BRANNOCH_WINEPREFIX:-$build/wineprefix}
"$top/cmake/wine-run" --boot
# Start the server now so that its CPU can be read before and after.
WINEPREFIX=$BRANNOCH_WINEPREFIX /usr/lib/wine/wineserver -p10 || true
server=""
for p in /proc/[0-9]*; do
  case "$(readlink "$p/exe" 2>/dev/null)" in */wineserver*) ;; *) continue ;; esac
  tr '\0' '\n' <"$p/environ" 2>/dev/null | grep -qx "WINEPREFIX=$BRANNOCH_WINEPREFIX" && server=${p#/proc/}
done
ticks() { awk '{print $14 + $15}' "/proc/$server/stat"; }
before=$( [ -n "$server" ] && ticks || echo 0)
"$top/cmake/wine-run" "$build/tools/waitbench/waitbench.exe" "$seconds"
if [ -n "$server" ]; then
  after=$(ticks)
  echo "wineserver CPU $(awk -v t=$((after - before)) -v hz="$(getconf CLK_TCK)" 'BEGIN{printf "%.2f s", t/hz}')"
fi
