#!/usr/bin/env bash
# check.sh LNKWRITE WINE-RUN: writes shortcuts with lnkwrite inside the Wine
# prefix $BRANNOCH_WINEPREFIX and reads them back with lnkinfo.
set -euo pipefail
lnkwrite=$1 winerun=$2
command -v lnkinfo >/dev/null || { echo "lnkinfo missing (Debian package liblnk-utils)" >&2; exit 1; }
c="$BRANNOCH_WINEPREFIX/drive_c"
rm -rf "$c/lnkcheck"
mkdir -p "$c/lnkcheck"
# lnkwrite prints cp1252; the last line is the file it put on the desktop.
out=$("$winerun" "$lnkwrite" 'C:\lnkcheck' | tr -d '\r' | iconv -f CP1252 -t UTF-8)
desktop=$(tail -n 1 <<<"$out" | sed -e 's|^[Cc]:\\|'"$c"'/|' -e 's|\\|/|g')

failed=0
fail() { echo "FAIL $*" >&2; failed=1; }

# field FILE NAME EXPECTED: lnkinfo's value of the "Link information" field NAME.
field() {
  local got
  got=$(lnkinfo "$1" | sed -n "s/^\t$2\t*: //p" | head -n 1)
  [ "$got" = "$3" ] || fail "$(basename "$1"): $2 is '$got', expected '$3'"
}
# The header's show command (offset 0x3C) and hot key (0x40) are read
# directly: lnkinfo 20181227 prints 0 for both whatever the file holds.
header() {
  local show key
  show=$(od -An -tu4 -j60 -N4 "$1" | tr -d ' ')
  key=$(od -An -tx2 -j64 -N2 "$1" | tr -d ' ')
  [ "$show" = "$2" ] || fail "$(basename "$1"): show command $show, expected $2"
  [ "$key" = "$3" ] || fail "$(basename "$1"): hot key 0x$key, expected 0x$3"
}
# shortcut FILE TARGET WORKDIR DESCRIPTION ARGUMENTS ICON INDEX SHOW HOTKEY
shortcut() {
  [ -f "$1" ] || { fail "$1 was not written"; return; }
  field "$1" "Local path" "$2"
  field "$1" "Working directory" "$3"
  field "$1" "Description" "$4"
  field "$1" "Command line arguments" "$5"
  field "$1" "Icon location" "$6"
  field "$1" "Icon index" "$7"
  header "$1" "$8" "$9"
}

description="Brannoch est une application réalisée avec Plinthar © Corvanel"
shortcut "$c/lnkcheck/Brannoch © Corvanel.lnk" 'c:\Brannoch\Brannoch.EXE' 'c:\Brannoch' "$description" "" \
  'c:\Brannoch\Brannoch.EXE' 0 9 0000
shortcut "$c/lnkcheck/Touche.lnk" 'c:\Outils\prog.exe' 'c:\Outils' "Avec touche" "/a /b" 'c:\Outils\icones.dll' 3 9 0641
shortcut "$c/lnkcheck/Racine.lnk" 'c:\x.exe' 'c:\' "" "" 'c:\x.exe' 0 9 0000
# Written twice: the second write (no hot key) replaced the first.
shortcut "$c/lnkcheck/Remplace.lnk" 'c:\x.exe' 'c:\' "second" "" 'c:\x.exe' 0 9 0000
case "$desktop" in
  "$c"/*"/Brannoch © Corvanel.lnk") ;;
  *) fail "desktop shortcut at unexpected path $desktop" ;;
esac
shortcut "$desktop" 'c:\Brannoch\Brannoch.EXE' 'c:\Brannoch' "$description" "" 'c:\Brannoch\Brannoch.EXE' 0 9 0000

[ $failed = 0 ] && echo "shortcut_lnkinfo: 5 shortcuts read back as written"
exit $failed
