#!/usr/bin/env bash
# One end-to-end scenario of INSTALL.EXE under Wine, driven by the pilot or,
# through the accessibility interface only, by the screen reader (heard-*):
#   e2e.sh install|update|links|wait|reports|declined|argument|damaged|nodisplay|interrupt|planted
#          heard-install|heard-report|heard-interrupt|heard-wait
# Environment (set by CTest): BRANNOCH_WINEPREFIX WINE_RUN PILOT LECTEUR INSTALLER
# DAMAGED MANY MANY_PAYLOAD PROBE FCC PAYLOAD UNLOCKED PLANTED OBJDUMP OUT. Each scenario sets up the state it needs in
# the shared prefix, runs, then checks the disk from the host side.
set -uo pipefail
scenario=$1
drive="$BRANNOCH_WINEPREFIX/drive_c"
out="$OUT/$scenario"
rm -rf "$out"
mkdir -p "$out"
failures=0

fail() { echo "FAIL $scenario: $*"; failures=$((failures + 1)); }
expect_file() { [ -f "$1" ] || fail "missing $1"; }
expect_no() { [ ! -e "$1" ] || fail "should not exist: $1"; }
expect_log() { grep -qF -- "$1" "$2" || fail "log $2 lacks: $1"; }

# Host path of a file of C:\ whatever the case of its name (Wine keeps the
# case a file was created with).
cpath() {
  local p="$drive" part
  IFS='\' read -ra parts <<<"$1"
  for part in "${parts[@]}"; do
    [ -z "$part" ] && continue
    local hit
    hit=$(find "$p" -maxdepth 1 -mindepth 1 -iname "$part" 2>/dev/null | head -1)
    [ -n "$hit" ] || { echo "$p/$part"; return; }
    p=$hit
  done
  echo "$p"
}

clean() {
  rm -rf "$(cpath 'Brannoch')" "$(cpath 'Appli')" "$(cpath 'windows\Fonts\Starmath.ttf')"
  find "$drive/users" -iname 'Brannoch*Corvanel*.lnk' -delete 2>/dev/null || true
}

# pilot NAME PROGRAM [ARGS...] < script: runs PROGRAM under the pilot, keeps
# the log and screenshots in $out/NAME; sets $code.
pilot() {
  local name=$1
  shift
  cat >"$out/$name.script"
  "$WINE_RUN" "$PILOT" --timeout 120 --kill-rest --log "$out/$name.log" --shots "$out/$name" --script "$out/$name.script" \
    -- "$@" >"$out/$name.out" 2>&1
  code=$?
}

# reader NAME [--press "TITLE" [once] "BUTTON"]... -- PROGRAM [ARGS...]: runs
# PROGRAM under the screen reader, which reads its windows and presses their
# buttons through the accessibility interface only; its lines in
# $out/NAME.log; sets $code.
reader() {
  local name=$1
  shift
  "$WINE_RUN" "$LECTEUR" --timeout 120 --kill-rest --log "$out/$name.log" "$@" >"$out/$name.out" 2>&1
  code=$?
}

# expect_heard LOG LINE...: every LINE is a whole line of the screen reader's
# LOG but for the location at its end, which depends on where the window is.
expect_heard() {
  local log=$1 line heard
  shift
  heard=$(sed 's/ location=[-0-9,]*$//' "$log")
  for line in "$@"; do
    grep -qxF -- "$line" <<<"$heard" || fail "$log lacks the line: $line"
  done
}

# expect_box LOG TITLE TEXT BUTTON...: the message box TITLE heard as it
# shows: a dialog described by its text, the text, its buttons (each given as
# "Caption Alt+X"), the first the default one, which takes the focus.
expect_box() {
  local log=$1 title=$2 text=$3 first=$4 n=2 b
  shift 4
  local focused="push button \"${first% *}\" shortcut=\"${first##* }\" action=\"Appuyer\" state=focused,default,focusable"
  local lines=("window \"$title\" role=dialog description=\"$text\" state=focusable"
    "  1 text \"$text\" state=read-only" "  2 $focused"
    "event focus \"$title\" 2 push button \"${first% *}\" state=focused,default,focusable")
  for b in "$@"; do
    n=$((n + 1))
    lines+=("  $n push button \"${b% *}\" shortcut=\"${b##* }\" action=\"Appuyer\"")
  done
  expect_heard "$log" "${lines[@]}"
}

# The members the installer must leave: fcc's own expansion of the payload
# (PAYLOAD, or the one given).
reference() {
  local payload=${1:-$PAYLOAD} ref=$out/reference-$(basename "$(dirname "${1:-$PAYLOAD}")")
  if [ ! -d "$ref" ]; then
    mkdir -p "$ref"
    cp "$payload" "$ref/Brannoch.FCC"
    "$FCC" extract "$ref/Brannoch.FCC" >/dev/null || fail "fcc extract of the payload failed"
    rm -f "$ref/Brannoch.FCC"
  fi
  echo "$ref"
}

# Every member in FOLDER, byte for byte: the 23 of the default payload, or
# COUNT of the payload given.
expect_members() {
  local folder=$1 payload=${2:-$PAYLOAD} count=${3:-23} ref n=0
  ref=$(reference "$payload")
  for m in "$ref"/*; do
    n=$((n + 1))
    local f
    f=$(find "$folder" -maxdepth 1 -iname "$(basename "$m")" | head -1)
    if [ -z "$f" ]; then fail "member $(basename "$m") missing in $folder"; continue; fi
    cmp -s "$m" "$f" || fail "member $(basename "$m") differs in $folder"
  done
  [ "$n" = "$count" ] || fail "reference has $n members, not $count"
  ls "$folder" | grep -qiE '\.(CTN|TMP)$' && fail "temporary archive left in $folder"
}

# Checked before anything reads the program: a read moves its access time on.
stamp=128844598887977881
expect_stamped() {
  local times
  times=$("$WINE_RUN" "$PROBE" filetime 'C:\Brannoch\Brannoch.EXE' | tr -d '\r' | sort -u)
  [ "$times" = "$stamp" ] || fail "C:\\Brannoch\\Brannoch.EXE times are [$times], not $stamp"
}

# What a first installation leaves: every member, the payload file, the copy
# of the installer, the font, no update folder, the desktop shortcut.
expect_installed() {
  expect_members "$(cpath 'Brannoch')"
  expect_file "$(cpath 'Brannoch\Brannoch.FCC')"
  cmp -s "$PAYLOAD" "$(cpath 'Brannoch\Brannoch.FCC')" || fail "payload file differs from the embedded payload"
  cmp -s "$INSTALLER" "$(cpath 'Brannoch\install.exe')" || fail "install.exe is not a copy of the installer"
  cmp -s "$(cpath 'Brannoch\StarMath.ttf')" "$(cpath 'windows\Fonts\Starmath.ttf')" || fail "font not copied"
  expect_no "$(cpath 'Brannoch\MAJ')"
  # The desktop shortcut, read back by an independent parser of the format.
  local lnk
  lnk=$(find "$drive/users" -path '*/Desktop/*' -name 'Brannoch © Corvanel.lnk' | head -1)
  if [ -z "$lnk" ]; then
    fail "no \"Brannoch © Corvanel.lnk\" on the desktop"
  else
    lnkinfo "$lnk" >"$out/lnkinfo.txt" 2>&1 || fail "lnkinfo cannot read $lnk"
    grep -qP '^\tLocal path\t*: c:\\Brannoch\\Brannoch\.EXE$' "$out/lnkinfo.txt" ||
      fail "shortcut target is not c:\\Brannoch\\Brannoch.EXE"
    grep -qP '^\tWorking directory\t*: c:\\Brannoch$' "$out/lnkinfo.txt" || fail "shortcut working folder"
  fi
}

first_install() {  # a complete first installation, declining the launch
  pilot "$1" "$INSTALLER" <<'S'
snap "Déconcaténation de *"
when "Installation de*" once key O
when "Installation de*" key N
S
  [ "$code" = 0 ] || fail "$1: exit code $code"
}

case $scenario in
install)
  clean
  first_install run
  log="$out/run.log"
  expect_stamped
  expect_log 'window "Installation de Brannoch.exe © corvanel"' "$log"
  [ "$(grep -c '^answer "Installation de' "$log")" = 2 ] || fail "two questions expected"
  # The progress window, photographed while the payload expands.
  expect_log 'window "Déconcaténation de C:\Brannoch\Brannoch.CTN" 606x158' "$log"
  expect_log 'shot "02-Deconcatenation_de_C_Brannoch_Brannoch.CTN.png" 606x158' "$log"
  expect_installed
  ;;
wait)
  # An update while the installed program runs: the waiting window shows,
  # the program is closed on cue, and the update finishes.
  clean
  first_install setup
  cp "$(cpath 'Brannoch\Brannoch.EXE')" "$out/previous.exe"
  pilot run "$INSTALLER" <<'S'
before run "C:\Brannoch\Brannoch.EXE"; wait-window "Brannoch"
when "Mise à jour de*" key O
when "Installateur de Brannoch.EXE © Corvanel" shot; sleep 500; close-other "Brannoch"
when "Mise à jour*" key N
expect "Installateur de Brannoch.EXE © Corvanel"
S
  [ "$code" = 0 ] || fail "exit code $code"
  log="$out/run.log"
  expect_stamped
  expect_log 'window "Installateur de Brannoch.EXE © Corvanel" 510x306' "$log"
  expect_log 'closed "Brannoch"' "$log"
  expect_log 'answer "Mise à jour Brannoch.exe © corvanel" key N' "$log"
  cmp -s "$out/previous.exe" "$(cpath 'Brannoch\ex_Brannoch.EXE')" || fail "backup is not the previous program"
  cmp -s "$(cpath 'Brannoch\MAJ\brannoch.exe')" "$(cpath 'Brannoch\Brannoch.EXE')" || fail "program not replaced"
  ;;
update)
  clean
  first_install setup
  printf 'the previous program' >"$(cpath 'Brannoch\Brannoch.EXE')"
  pilot run "$INSTALLER" <<'S'
when "Mise à jour de*" key O
when "Mise à jour*" key N
S
  [ "$code" = 0 ] || fail "exit code $code"
  expect_stamped
  log="$out/run.log"
  expect_log 'answer "Mise à jour de Brannoch.exe © corvanel" key O' "$log"
  expect_log 'answer "Mise à jour Brannoch.exe © corvanel" key N' "$log"
  maj=$(cpath 'Brannoch\MAJ')
  expect_members "$maj"
  expect_file "$(cpath 'Brannoch\MAJ\Brannoch.FCC')"
  [ "$(cat "$(cpath 'Brannoch\ex_Brannoch.EXE')")" = 'the previous program' ] || fail "backup is not the previous program"
  cmp -s "$(cpath 'Brannoch\MAJ\brannoch.exe')" "$(cpath 'Brannoch\Brannoch.EXE')" || fail "program not replaced"
  ;;
links)
  # An update where links lead out of C:\Brannoch from every name the run
  # writes: the payload file, members, the temporary file, the backup, the
  # copy of the installer and the program itself. Each name gets a file of
  # its own; what the links lead to stays as it was.
  clean
  first_install setup
  maj="$drive/Brannoch/MAJ"
  mkdir -p "$maj" "$out/dehors"
  names=(payload member member2 temporary backup copy program)
  for n in "${names[@]}"; do printf 'outside %s' "$n" >"$out/dehors/$n"; done
  touch -d '2001-02-03 04:05:06' "$out/dehors"/*
  before=$(cd "$out/dehors" && stat -c '%n %s %Y %h' * && cat *)
  ln -s "$out/dehors/payload" "$maj/Brannoch.FCC"
  ln -s "$out/dehors/member" "$maj/brannoch.exe"
  ln "$out/dehors/member2" "$maj/StarMath.ttf" 2>/dev/null || ln -s "$out/dehors/member2" "$maj/StarMath.ttf"
  ln -s "$out/dehors/temporary" "$maj/Brannoch.CTN"
  ln "$out/dehors/backup" "$(cpath 'Brannoch\ex_Brannoch.EXE')" 2>/dev/null ||
    ln -sf "$out/dehors/backup" "$(cpath 'Brannoch\ex_Brannoch.EXE')"
  rm -f "$(cpath 'Brannoch\install.exe')" "$(cpath 'Brannoch\Brannoch.EXE')"
  ln -s "$out/dehors/copy" "$drive/Brannoch/install.exe"
  ln -s "$out/dehors/program" "$drive/Brannoch/Brannoch.EXE"
  pilot run "$INSTALLER" <<'S'
when "Mise à jour de*" key O
when "Mise à jour*" key N
S
  [ "$code" = 0 ] || fail "exit code $code"
  expect_stamped
  after=$(cd "$out/dehors" && stat -c '%n %s %Y %h' * && cat *)
  [ "$before" = "$after" ] || fail "a file outside changed through a link: $(diff <(echo "$before") <(echo "$after"))"
  for f in "$maj/Brannoch.FCC" "$maj/brannoch.exe" "$maj/StarMath.ttf" "$(cpath 'Brannoch\ex_Brannoch.EXE')" \
    "$drive/Brannoch/install.exe" "$drive/Brannoch/Brannoch.EXE"; do
    [ -f "$f" ] && [ ! -L "$f" ] && [ "$(stat -c %h "$f")" = 1 ] || fail "not a file of its own: $f"
  done
  expect_members "$maj"
  cmp -s "$PAYLOAD" "$maj/Brannoch.FCC" || fail "payload file differs from the embedded payload"
  cmp -s "$INSTALLER" "$drive/Brannoch/install.exe" || fail "install.exe is not a copy of the installer"
  [ "$(cat "$(cpath 'Brannoch\ex_Brannoch.EXE')")" = 'outside program' ] || fail "backup is not the previous program"
  cmp -s "$maj/brannoch.exe" "$drive/Brannoch/Brannoch.EXE" || fail "program not replaced"
  ;;
reports)
  # The copies that can fail, made to fail by folders standing where the
  # files would go: the font (message 3) and the backup (message 4); then
  # the replacement (message 6), into a C:\Brannoch that is not there.
  clean
  first_install setup
  rm -f "$(cpath 'windows\Fonts\Starmath.ttf')"
  mkdir -p "$drive/windows/Fonts/Starmath.ttf" "$drive/Brannoch/ex_Brannoch.EXE"
  cp "$(cpath 'Brannoch\Brannoch.EXE')" "$out/previous.exe"
  pilot backup "$INSTALLER" <<'S'
when "Mise à jour de*" key O
when "C:\Brannoch\Starmath.ttf" key Enter
when "Mise à jour Brannoch*" key Enter
S
  [ "$code" = 0 ] || fail "exit code $code"
  log="$out/backup.log"
  expect_log 'answer "C:\Brannoch\Starmath.ttf" key Enter' "$log"
  expect_log 'answer "Mise à jour Brannoch.exe © corvanel" key Enter' "$log"
  cmp -s "$out/previous.exe" "$(cpath 'Brannoch\Brannoch.EXE')" || fail "the program changed after a failed backup"
  expect_file "$(cpath 'Brannoch\MAJ\brannoch.exe')"

  # The payload folder C:\Appli exists, so the run is an update; the wait
  # finds no program and the copy up into the missing C:\Brannoch fails.
  rm -rf "$(cpath 'Brannoch')"
  mkdir -p "$drive/Appli"
  pilot replacement "$INSTALLER" 'C:\Appli' <<'S'
when "Installation de*" key O
when "C:\Brannoch\Starmath.ttf" key Enter
when "Mise à jour Brannoch*" key Enter
S
  [ "$code" = 0 ] || fail "exit code $code"
  log="$out/replacement.log"
  expect_log 'answer "Installation de Brannoch.exe © corvanel" key O' "$log"
  expect_log 'answer "Mise à jour Brannoch.exe © corvanel" key Enter' "$log"
  expect_file "$(cpath 'Appli\MAJ\brannoch.exe')"
  expect_no "$(cpath 'Brannoch')"

  # A folder in the program's place is not a running program: the wait ends
  # at once with the standard report and exit code 1, before the expansion.
  mkdir -p "$drive/Brannoch/Brannoch.EXE"
  pilot folder "$INSTALLER" <<'S'
when "Installation de*" key O
when "Erreur d'application" key Enter
S
  [ "$code" = 1 ] || fail "exit code $code, wanted 1"
  expect_log 'window "Erreur d'"'"'application"' "$out/folder.log"
  expect_file "$(cpath 'Brannoch\MAJ\Brannoch.FCC')"
  expect_no "$(cpath 'Brannoch\MAJ\brannoch.exe')"
  [ -d "$drive/Brannoch/Brannoch.EXE" ] || fail "the folder in the program's place was replaced"
  rmdir "$drive/windows/Fonts/Starmath.ttf"
  ;;
declined)
  clean
  pilot run "$INSTALLER" <<'S'
when "Installation de*" key N
S
  [ "$code" = 0 ] || fail "exit code $code"
  expect_no "$(cpath 'Brannoch')"
  first_install setup
  before=$(cd "$drive" && find Brannoch -printf '%P %s\n' | sort)
  pilot run-update "$INSTALLER" <<'S'
when "Mise à jour de*" key Escape
S
  [ "$code" = 0 ] || fail "exit code $code after Escape"
  after=$(cd "$drive" && find Brannoch -printf '%P %s\n' | sort)
  [ "$before" = "$after" ] || fail "a declined update changed C:\\Brannoch"
  ;;
argument)
  clean
  first_install setup
  pilot run "$INSTALLER" 'C:\Appli' <<'S'
when "Mise à jour de*" key O
when "Installation de*" key O
when "Brannoch" texts; close
expect "Brannoch"
S
  [ "$code" = 0 ] || fail "exit code $code"
  log="$out/run.log"
  expect_members "$(cpath 'Appli')"
  expect_no "$(cpath 'Appli\MAJ')"
  expect_no "$(cpath 'Brannoch\MAJ')"
  # The demo program shows its path (101), parameters (102) and folder (103).
  grep -qxF 'text "Brannoch" 102 Edit "C:\Appli"' "$log" ||
    fail "the demo program did not receive C:\\Appli as its parameters"
  grep -qixF 'text "Brannoch" 101 Edit "C:\Brannoch\Brannoch.EXE"' "$log" ||
    fail "the demo program did not run from C:\\Brannoch\\Brannoch.EXE"
  grep -qixF 'text "Brannoch" 103 Edit "C:\Brannoch"' "$log" ||
    fail "the demo program was not started in C:\\Brannoch"
  ;;
damaged)
  clean
  pilot run "$DAMAGED" <<'S'
when "Installation de*" key O
when "Erreur d'application" key Enter
S
  [ "$code" = 1 ] || fail "exit code $code, wanted 1"
  log="$out/run.log"
  # The report is painted markup, read in its screenshot; what it says is
  # the error the same payload gives fcc, which runs the same expansion.
  expect_log 'window "Erreur d'"'"'application"' "$log"
  cp "$(cpath 'Brannoch\Brannoch.FCC')" "$out/damaged.FCC"
  "$FCC" extract "$out/damaged.FCC" >"$out/fcc.out" 2>&1 && fail "fcc expanded the damaged payload"
  grep -qF 'Error in compression routine: -3' "$out/fcc.out" || fail "fcc did not report code -3"
  expect_file "$(cpath 'Brannoch\Brannoch.FCC')"
  n=$(ls "$(cpath 'Brannoch')" | wc -l)
  [ "$n" = 1 ] || fail "$n files in C:\\Brannoch, only the payload file expected"
  ;;
interrupt)
  # A click on "Interrompre" while many members expand: the refusal shows
  # once, the expansion goes on to the last member, the run ends as usual.
  clean
  pilot run "$MANY" <<'S'
when "Installation de*" once key O
when "Déconcaténation de *" click 473,118
when "Interruption Interdite" key Enter
when "Installation de*" key N
S
  [ "$code" = 0 ] || fail "exit code $code"
  log="$out/run.log"
  expect_log 'answer "Déconcaténation de C:\Brannoch\Brannoch.CTN" click 473,118' "$log"
  [ "$(grep -c '^window "Interruption Interdite"' "$log")" = 1 ] || fail "one refusal expected"
  expect_log 'answer "Interruption Interdite" key Enter' "$log"
  # The refusal shows and goes while the progress window is up.
  order=$(grep -E '^(window|gone) "(Déconcaténation|Interruption)' "$log" | sed 's/ [0-9]*x[0-9]*$//')
  [ "$order" = 'window "Déconcaténation de C:\Brannoch\Brannoch.CTN"
window "Interruption Interdite"
gone "Interruption Interdite"
gone "Déconcaténation de C:\Brannoch\Brannoch.CTN"' ] || fail "the refusal did not come during the expansion: $order"
  expect_members "$(cpath 'Brannoch')" "$MANY_PAYLOAD" 1502
  ;;
planted)
  # The image as binutils reads it: dependent-load flags for the system
  # folder in the load configuration, and imports of system DLLs only.
  header=$("$OBJDUMP" -p "$INSTALLER") || fail "objdump cannot read $INSTALLER"
  magic=$(awk '$1 == "Magic" {print $2}' <<<"$header")
  base=$(awk '$1 == "ImageBase" {print $2}' <<<"$header")
  rva=$(awk '$1 == "Entry" && $2 == "a" {print $3}' <<<"$header")
  case $magic in 010b) field=0x36 ;; 020b) field=0x4e ;; *) field= ;; esac
  if [ -z "$field" ] || [ -z "$rva" ] || [ $((16#$rva)) = 0 ]; then
    fail "no load configuration in $INSTALLER (magic $magic, entry [$rva])"
  else
    at=$((16#$base + 16#$rva + field))
    flags=$("$OBJDUMP" -s --start-address=$at --stop-address=$((at + 2)) "$INSTALLER" | awk '/^ [0-9a-f]+ / {print $2}')
    [ "$flags" = 0008 ] || fail "dependent-load flags [$flags], not 0x0800 (the system folder)"
  fi
  imports=$(awk '/DLL Name:/ {print tolower($3)}' <<<"$header")
  [ -n "$imports" ] || fail "no imports read"
  for dll in $imports; do
    case $dll in
      kernel32.dll | user32.dll | gdi32.dll | advapi32.dll | shell32.dll | ole32.dll | oleaut32.dll | msvcrt.dll) ;;
      *) fail "imports $dll, not a system DLL" ;;
    esac
  done

  # A uxtheme.dll of our own beside the program, which Wine is told to
  # prefer to its own: loaded at the first window by the installer without
  # its start, never by INSTALL.EXE through a whole installation and the
  # start of the application.
  overrides="uxtheme=n,b;mscoree,mshtml=;winemenubuilder.exe=d"
  for kind in unlocked locked; do
    mkdir -p "$out/$kind"
    cp "$PLANTED" "$out/$kind/uxtheme.dll"
  done
  cp "$UNLOCKED" "$out/unlocked/INSTALL.EXE"
  cp "$INSTALLER" "$out/locked/INSTALL.EXE"
  clean
  export WINEDLLOVERRIDES=$overrides
  pilot unlocked-run "$out/unlocked/INSTALL.EXE" <<'S'
when "Installation de*" key N
S
  [ "$code" = 0 ] || fail "unlocked: exit code $code"
  grep -qiF 'unlocked\INSTALL.EXE' "$out/unlocked/uxtheme.dll.loaded" 2>/dev/null ||
    fail "the planted DLL was not loaded even without the lock: the check proves nothing"
  pilot locked-run "$out/locked/INSTALL.EXE" <<'S'
when "Installation de*" once key O
when "Installation de*" key O
when "Brannoch" close
expect "Brannoch"
S
  unset WINEDLLOVERRIDES
  [ "$code" = 0 ] || fail "locked: exit code $code"
  expect_log 'window "Brannoch"' "$out/locked-run.log"
  expect_members "$(cpath 'Brannoch')"
  expect_no "$out/locked/uxtheme.dll.loaded"
  ;;
heard-install)
  # A first installation heard and answered through the accessibility
  # interface only: the question read, "Oui", the bar's values rising as
  # announced (the last may go unheard: the window goes right after the last
  # member), the closing question read, "Non".
  clean
  reader run --press "Installation de*" once "Oui" --press "Installation de*" "Non" -- "$INSTALLER"
  [ "$code" = 0 ] || fail "exit code $code"
  log="$out/run.log"
  expect_box "$log" "Installation de Brannoch.exe © corvanel" "$(cat <<'T'
Installation de Brannoch.exe © corvanel.\r\nCette installation va créer le répertoire "C:\Brannoch" et y copier\r\ntous les fichiers nécessaires à Brannoch.exe.\r\n\r\nRien d'autre ne sera copié ailleurs, à l'exception du raccourci sur le\r\nbureau.\r\n\r\nVoulez-vous lancer l'installation de\r\nBrannoch.exe ?\r\n\r\n(Version du Vendredi 17/ 4/2009 18h38)\r\n
T
)" "Oui Alt+O" "Non Alt+N"
  expect_box "$log" "Installation de Brannoch.exe © corvanel" "$(cat <<'T'
L'installation de Brannoch.exe © corvanel est terminée\r\n\r\nCette installation a créé un raccourci sur le bureau qui vous\r\npermetra de le lancer.\r\n\r\nVoulez-vous lancer Brannoch.exe tout de\r\nsuite ?\r\n\r\n(Version du Vendredi 17/ 4/2009 18h38)\r\n
T
)" "Oui Alt+O" "Non Alt+N"
  expect_heard "$log" \
    'press "Oui" in "Installation de Brannoch.exe © corvanel": ok' \
    'event dialog-start "Déconcaténation de C:\Brannoch\Brannoch.CTN"' \
    'press "Non" in "Installation de Brannoch.exe © corvanel": ok'
  values=$(sed -n 's/^event value-change "Déconcaténation de [^"]*" [0-9]* progress bar value="\([0-9]*\)%"$/\1/p' "$log")
  [ -n "$values" ] || fail "no value of the bar heard"
  sort -nc <<<"$values" 2>/dev/null || fail "the bar's values do not rise: $(echo $values)"
  [ "$(tail -1 <<<"$values")" -gt 90 ] 2>/dev/null || fail "no value of the bar past 90 %: $(echo $values)"
  expect_stamped
  expect_installed
  ;;
heard-report)
  # The font's report, provoked by a folder where the font would go, heard
  # and answered "Ok".
  clean
  mkdir -p "$drive/windows/Fonts/Starmath.ttf"
  reader run --press "Installation de*" once "Oui" --press "C:\Brannoch\Starmath.ttf" "Ok" \
    --press "Installation de*" "Non" -- "$INSTALLER"
  rmdir "$drive/windows/Fonts/Starmath.ttf"
  [ "$code" = 0 ] || fail "exit code $code"
  expect_box "$out/run.log" 'C:\Brannoch\Starmath.ttf' "$(cat <<'T'
La police C:\Brannoch\Starmath.ttf n'a pas pu être copiée\r\n\r\nVous devrez le faire "à la main"\r\n\r\nCela n'empêchera pas le logiciel de fonctionner\r\n
T
)" "Ok Alt+O"
  expect_heard "$out/run.log" 'press "Ok" in "C:\Brannoch\Starmath.ttf": ok' \
    'press "Non" in "Installation de Brannoch.exe © corvanel": ok'
  expect_members "$(cpath 'Brannoch')"
  ;;
heard-interrupt)
  # "Interrompre" pressed through the interface while many members expand:
  # the refusal is heard and answered, and every member is written.
  clean
  reader run --press "Installation de*" once "Oui" --press "Déconcaténation de *" "Interrompre" \
    --press "Interruption Interdite" "Ok" --press "Installation de*" "Non" -- "$MANY"
  [ "$code" = 0 ] || fail "exit code $code"
  log="$out/run.log"
  expect_heard "$log" '  10 push button "Interrompre" action="Appuyer"' \
    'press "Interrompre" in "Déconcaténation de C:\Brannoch\Brannoch.CTN": ok' \
    'press "Ok" in "Interruption Interdite": ok'
  expect_box "$log" "Interruption Interdite" \
    "L'Interruption est Interdite\r\n\r\nLe traitement va être maintenu\r\n" "Ok Alt+O"
  [ "$(grep -c '^window "Interruption Interdite"' "$log")" = 1 ] || fail "one refusal expected"
  expect_members "$(cpath 'Brannoch')" "$MANY_PAYLOAD" 1502
  ;;
heard-wait)
  # An update while the installed program runs: the waiting window is read.
  # The pilot plays the user who closes the program; the installer's windows
  # are the screen reader's.
  clean
  first_install setup
  pilot run "$LECTEUR" --log "$out/heard.log" --press "Mise à jour de*" "Oui" --press "Mise à jour*" "Non" \
    -- "$INSTALLER" <<'S'
before run "C:\Brannoch\Brannoch.EXE"; wait-window "Brannoch"
when "Installateur de Brannoch.EXE © Corvanel" sleep 1500; close-other "Brannoch"
expect "Installateur de Brannoch.EXE © Corvanel"
S
  [ "$code" = 0 ] || fail "exit code $code"
  expect_heard "$out/heard.log" 'press "Oui" in "Mise à jour de Brannoch.exe © corvanel": ok' \
    'window "Installateur de Brannoch.EXE © Corvanel" role=dialog state=focused,focusable' \
    'press "Non" in "Mise à jour Brannoch.exe © corvanel": ok'
  # Its text as painted, wrapped where the fonts of this Wine wrap it.
  heard=$(sed -n '/^window "Installateur de Brannoch.EXE/,/^[^ ]/s/^  1 text "\(.*\)" state=read-only\( location=.*\)\{0,1\}$/\1/p' \
    "$out/heard.log" | head -1)
  [ "${heard//\\r\\n/ }" = "INSTALL.EXE a décelé que Brannoch.EXE est en cours d'execution. Pour poursuivre l'installation vous devez arrêter Brannoch.EXE Si ce n'était pas le cas interrompez \"INSTALL.EXE\" en pressant <Ctrl><Alt><Suppr>" ] ||
    fail "the waiting window's text heard: $heard"
  cmp -s "$(cpath 'Brannoch\MAJ\brannoch.exe')" "$(cpath 'Brannoch\Brannoch.EXE')" || fail "program not replaced"
  ;;
nodisplay)
  # No window can be made: the error at start-up still ends the run with
  # exit code 1, before anything is written.
  clean
  env -u DISPLAY "$WINE_RUN" "$INSTALLER" >"$out/run.out" 2>&1
  code=$?
  [ "$code" = 1 ] || fail "exit code $code, wanted 1"
  grep -q 'terminate called' "$out/run.out" && fail "the error escaped the entry point"
  expect_no "$(cpath 'Brannoch')"
  ;;
*)
  echo "unknown scenario $scenario" >&2
  exit 2
  ;;
esac

if [ "$failures" = 0 ]; then
  echo "ok $scenario"
else
  for l in "$out"/*.log; do echo "--- $l"; cat "$l"; done
  exit 1
fi
