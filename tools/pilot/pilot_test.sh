#!/usr/bin/env bash
# The pilot driven against throwaway targets under Wine: each case checks the
# exit code that came back, lines of the log, and the screenshots.
#   pilot_test.sh WINE_RUN PILOT.exe TESTAPP.exe BRANNOCH.exe OUT_DIR [CASE...]
set -u
run=$1 pilot=$(realpath "$2") app=$(realpath "$3") brannoch=$(realpath "$4") out=$5
shift 5
only=" $* "
rm -rf "$out"
mkdir -p "$out"
failures=0 cases=0

win() { local p=${1//\//\\}; echo "Z:$p"; }
wapp=$(win "$app")
wbrannoch=$(win "$brannoch")

# check NAME WANTED_EXIT [LINE | re:REGEX]... -- PILOT_ARGS...
# Every LINE must be a whole line of the log; every REGEX must match one.
check() {
  local name=$1 want=$2
  shift 2
  [ "$only" = "  " ] || [[ "$only" == *" $name "* ]] || { while [ "$1" != -- ]; do shift; done; return; }
  local lines=()
  while [ "$1" != -- ]; do lines+=("$1"); shift; done
  shift
  local log="$out/$name.log" shots="$out/$name" ok=1
  cases=$((cases + 1))
  timeout -k 5 300 "$run" "$pilot" --log "$log" --shots "$shots" "$@" >"$out/$name.out" 2>"$out/$name.err"
  local code=$?
  [ "$code" = "$want" ] || { echo "FAIL $name: exit $code, wanted $want"; ok=0; }
  for l in "${lines[@]}"; do
    if [[ "$l" == re:* ]]; then
      grep -qE -- "${l#re:}" "$log" || { echo "FAIL $name: no log line matches ${l#re:}"; ok=0; }
    else
      grep -qxF -- "$l" "$log" || { echo "FAIL $name: log lacks the line: $l"; ok=0; }
    fi
  done
  # Every screenshot logged is a PNG of the logged size with more than one colour.
  while read -r _ file size rest; do
    file=${file//\"/}
    if [ "$rest" = blank ]; then echo "FAIL $name: $file is blank"; ok=0; fi
    local w=${size%x*} h=${size#*x}
    file -b "$shots/$file" | grep -qF "PNG image data, $w x $h" ||
      { echo "FAIL $name: $file is not a ${size} PNG"; ok=0; }
  done < <(grep '^shot ' "$log" 2>/dev/null)
  if [ $ok = 1 ]; then
    echo "ok   $name"
  else
    failures=$((failures + 1))
    sed 's/^/     | /' "$log" "$out/$name.err" 2>/dev/null
  fi
}

# A real MessageBoxA: keys, the first button by Enter, a child button by caption.
check box-key 7 'window "Question" 169x82' 're:^shot "01-Question.png" 169x82$' \
  'answer "Question" key N' 'exit 7' \
  -- --do 'when "Question" key N' -- "$app" box Question "Some text"
check box-answer-first 6 'answer "Question" key Enter' 'exit 6' \
  -- --answer-first -- "$app" box Question "Some text"
check box-click-caption 7 'answer "Question" click "No"' \
  -- --do 'when "Question" click "No"' -- "$app" box Question "Some text"
check box-post-key 7 -- --input post --do 'when "Question" key N' -- "$app" box Question "Some text"
check box-post-click 7 -- --input post --do 'when "Question" click "No"' -- "$app" box Question "Some text"
check box-texts 6 'text "Question" 65535 Static "Some text"' 'text "Question" 6 Button "&Yes"' \
  -- --do 'when "Question" texts; key Enter' -- "$app" box Question "Some text"

# A form that takes the keys itself and paints its buttons (no child windows).
for input in send post; do
  check form-$input-enter 1 'window "Form" 481x112' 'answer "Form" key Enter' \
    -- --input $input --do 'when "Form" key Enter' -- "$app" form Form "Oui,Non"
  check form-$input-escape 9 -- --input $input --do 'when "Form" key Escape' -- "$app" form Form "Oui,Non"
  check form-$input-key-letter 2 -- --input $input --do 'when "Form" key N' -- "$app" form Form "Oui,Non"
  check form-$input-char 2 'answer "Form" char n' \
    -- --input $input --do 'when "Form" char n' -- "$app" form Form "Oui,Non"
  check form-$input-click-b2 2 'answer "Form" click B2' \
    -- --input $input --do 'when "Form" click B2' -- "$app" form Form "Oui,Non"
  check form-$input-click-point 1 -- --input $input --do 'when "Form" click 87,88' -- "$app" form Form "Oui,Non"
  check form-$input-click-of 4 'window "Form" 481x142' 'answer "Form" click B4 of 4' \
    -- --input $input --do 'when "Form" click B4 of 4' -- "$app" form Form "A,B,C,D"
  check form-$input-click-row1 3 -- --input $input --do 'when "Form" click B3 of 5' -- "$app" form Form "A,B,C,D,E"
  check form-$input-alt-f4 8 -- --input $input --do 'when "Form" key Alt+F4' -- "$app" form Form "Oui,Non"
done
check form-close 8 'answer "Form" close' -- --do 'when "Form" close' -- "$app" form Form "Oui,Non"

# The same window shown twice with the same title: "once" rules take turns.
check form-twice 12 'gone "Form"' 'exit 12' \
  -- --do 'when "Form" once key O' --do 'when "Form" key N' -- "$app" form Form "Oui,Non" 2

# A UTF-8 script file matches a title in the ANSI code page; the log is UTF-8.
printf '# accents\nwhen "Mise à jour*" shot; key N\n' >"$out/accents.script"
check script-accents 2 'window "Mise à jour de test" 481x112' 'answer "Mise à jour de test" shot' \
  're:^shot "02-Mise_a_jour_de_test.png" 481x112$' \
  -- --script "$out/accents.script" -- "$app" form "Mise à jour de test" "Oui,Non"

check do-accents 1 'answer "Mise à jour de test" shot' 'answer "Mise à jour de test" key Enter' \
  -- --do 'when "Mise à jour*" shot then key Enter' -- "$app" form "Mise à jour de test" "Oui,Non"

# A window that shows for less than the settling time is logged, not answered.
check flash 0 're:^window "Flash" [0-9]+x[0-9]+$' 'gone "Flash"' \
  -- --settle 600 --do 'when "Flash" key Enter' -- "$app" flash Flash 150
if [ -f "$out/flash.log" ] && grep -q '^answer\|^shot' "$out/flash.log"; then
  echo "FAIL flash: a vanished window was answered or photographed"
  failures=$((failures + 1))
fi

# One snapped is photographed the moment it shows, painted, before it goes.
check snap 0 're:^window "Flash" [0-9]+x[0-9]+$' 're:^shot "01-Flash.png" [0-9]+x[0-9]+$' 'gone "Flash"' \
  -- --settle 600 --do 'snap "Fl?sh"' -- "$app" flash Flash 150

# One that goes while its shot waits for it to be painted is missed, no failure.
check flash-blank 0 're:^window "Blank" [0-9]+x[0-9]+$' 'missed "01-Blank.png"' 'gone "Blank"' \
  -- --settle 0 -- "$app" flash Blank 400 blank

# A child of the program is watched too; the run waits for the expected window.
check child-expect 0 're:^process [0-9]+ "pilot_testapp.exe" parent [0-9]+$' 're:^window "Child" [0-9]+x[0-9]+$' \
  'answer "Child" key N' 're:^ended [0-9]+ code 7$' 'exit 0' \
  -- --wait-all --do 'expect "Child"' --do 'when "Child" key N' \
  -- "$app" child "$wapp" box Child "From a child"

# What the program leaves running is killed on request at the end.
check kill-rest 0 're:^window "Left over" [0-9]+x[0-9]+$' 're:^killed [0-9]+$' 'exit 0' \
  -- --kill-rest --do 'expect "Left over"' -- "$app" child "$wapp" hang "Left over"

# Another program started on cue and closed on cue, as in the running-instance wait.
check close-other 1 're:^run [0-9]+ ' 'closed "Brannoch"' 'answer "Waiting" close-other "Brannoch"' \
  -- --wait-all --do "before run \"$wbrannoch\" x; wait-window \"Brannoch\"" \
  --do 'when "Waiting" shot; close-other "Brannoch"; key Enter' -- "$app" form Waiting Ok

# The demo application shows its path and its raw parameters.
check brannoch-texts 0 "text \"Brannoch\" 101 Edit \"$wbrannoch\"" \
  'text "Brannoch" 102 Edit "alpha "beta gamma" d:\x"' "text \"Brannoch\" 103 Edit \"$(win "$out")\"" \
  're:^window "Brannoch" 520x110$' \
  -- --cwd "$out" --do 'when "Brannoch" texts; close' -- "$brannoch" alpha 'beta gamma' 'd:\x'

# Exit codes: the program's own, and the pilot's for its failures.
check exit-code 42 'exit 42' -- -- "$app" exit 42
check timeout 102 'timeout after 3 s' 'missing "Never"' 're:^killed [0-9]+$' \
  -- --timeout 3 --do 'expect "Never"' -- "$app" hang Stuck
check action-failed 103 're:^error "Form" click "Nope": no control' 'exit 1' \
  -- --do 'when "Form" click "Nope"; key Enter' -- "$app" form Form "Oui,Non"
check bad-script 100 -- --do 'when "Form" key Bogus' -- "$app" exit 0
check unquoted-pattern 100 -- --do 'when Form key N' -- "$app" exit 0
check cannot-start 101 're:^error cannot start' -- -- 'Z:\no\such\program.exe'

echo "$((cases - failures)) of $cases pilot cases passed"
[ $failures = 0 ]
