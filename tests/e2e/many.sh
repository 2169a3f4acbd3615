#!/usr/bin/env bash
# many.sh FCC OUT PROGRAM FONT COUNT: packs into OUT a payload of the demo
# program, the font and COUNT generated members of 16 KB, whose expansion
# lasts long enough for a person (or the pilot) to press "Interrompre".
set -euo pipefail
fcc=$1 out=$2 program=$3 font=$4 count=$5
dir=$(dirname "$out")/members
rm -rf "$dir"
mkdir -p "$dir"
cp "$program" "$dir/brannoch.exe"
cp "$font" "$dir/StarMath.ttf"
for i in $(seq -w 1 "$count"); do
  head -c 16384 <(yes "membre $i") >"$dir/Membre $i.dat"
done
"$fcc" pack "$out" "$dir/brannoch.exe" "$dir/StarMath.ttf" "$dir"/Membre*.dat >/dev/null
