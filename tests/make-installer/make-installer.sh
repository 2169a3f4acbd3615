#!/usr/bin/env bash
# scripts/make-installer around a small folder, checked with tools that share
# no code with the project: file, wrestool, windres, objdump, openssl,
# osslsigncode. Two builds in different folders must give the same bytes; the
# x86_64 flavour, signed with a throwaway certificate authority, is run end to
# end under Wine by the pilot; refused folders leave no file.
# Environment (set by CTest): TOP BRANNOCH_WINEPREFIX WINE_RUN PILOT DEMO FCC FONT OUT
set -uo pipefail
work=$OUT
rm -rf "$work"
mkdir -p "$work"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
make_installer() { "$TOP/scripts/make-installer" "$@"; }

# The application folder: the demo program, its font, files of a few kinds,
# and what is left out (a dot file, a subfolder).
app="$work/app"
mkdir -p "$app/sous-dossier"
cp "$DEMO" "$app/brannoch.exe"
cp "$FONT" "$app/StarMath.ttf"
printf 'Fiche client\r\n' >"$app/Fiche élève.frm"
head -c 300000 /dev/urandom >"$app/données.bin"
: >"$app/vide.lst"
echo cache >"$app/.cache"
echo ignoré >"$app/sous-dossier/x.txt"
# fcc's own packing of the folder, in the order the installer must carry.
"$FCC" pack "$work/reference.FCC" "$app/brannoch.exe" "$app/Fiche élève.frm" "$app/StarMath.ttf" \
  "$app/données.bin" "$app/vide.lst" >/dev/null || fail "reference packing failed"

# --- the product, twice, in two build folders --------------------------------
a="$work/a/INSTALL.EXE" b="$work/b/INSTALL.EXE"
mkdir -p "$work/a" "$work/b"
make_installer "$app" -o "$a" --version 2.7.1.30 --build-dir "$work/build-a" >"$work/a.out" 2>&1 ||
  fail "first build: exit code $? ($(tail -3 "$work/a.out"))"
(cd "$work/b" && make_installer "$app" --version 2.7.1.30 --build-dir "$work/build-b") >"$work/b.out" 2>&1 ||
  fail "second build: exit code $?"
cmp "$a" "$b" || fail "two builds of the same folder differ"
grep -q "PE32 executable (GUI) Intel 80386" <(file -b "$a") || fail "not a PE32 GUI program: $(file -b "$a")"
x86_64-w64-mingw32-objdump -p "$a" >"$work/headers.txt"
grep -q '^Time/Date[[:space:]]*Thu Jan  1 00:00:00 1970' "$work/headers.txt" || fail "link time stamp is not zero"
strings -a "$a" | grep -F -e "$work" -e "$TOP" && fail "the program holds a build path"

# What it printed: the members in order with their sizes, the ratio, the hash.
out="$work/a.out"
grep -q 'left out, the installer has no subfolders: sous-dossier/' "$out" || fail "subfolder not reported"
sed -n '/^Members:/,/ members, /p' "$out" | sed '1d;$d' >"$work/members.out"
for f in brannoch.exe "Fiche élève.frm" StarMath.ttf données.bin vide.lst; do
  printf '  %12d  %s\n' "$(stat -c %s "$app/$f")" "$f"
done | cmp -s - "$work/members.out" || fail "members printed as: $(cat "$work/members.out")"
grep -qE '^  5 members, [0-9]+ bytes, compressed to [0-9]+ bytes \([0-9]+\.[0-9] %\)$' "$out" || fail "no ratio line"
grep -qx "SHA-256: $(sha256sum "$a" | cut -d' ' -f1)" "$out" || fail "SHA-256 line wrong or missing"
grep -q 'fcc : lecture 100 % (5/5 fichiers)' "$out" || fail "no progress line"

# Resources read back by wrestool and windres.
wrestool -x -R -t FCC -n 1 "$a" >"$work/embedded.FCC" || fail "wrestool cannot read FCC/1"
cmp "$work/embedded.FCC" "$work/reference.FCC" || fail "FCC/1 is not fcc's packing of the folder"
i686-w64-mingw32-windres -i "$a" -O rc >"$work/resources.rc" 2>&1 || fail "windres cannot read the resources"
for line in ' FILEVERSION 2, 7, 1, 30' ' PRODUCTVERSION 2, 7, 1, 30' \
  '      VALUE "CompanyName", "Corvanel"' '      VALUE "ProductName", "Brannoch"' \
  '      VALUE "FileDescription", "Installateur de Brannoch"' '      VALUE "FileVersion", "2.7.1.30"' \
  '      VALUE "ProductVersion", "2.7.1.30"' '      VALUE "OriginalFilename", "INSTALL.EXE"'; do
  grep -qxF -- "$line" "$work/resources.rc" || fail "version resource lacks: $line"
done
wrestool -x -R -t 24 -n 1 "$a" >"$work/manifest.xml" || fail "wrestool cannot read the manifest"
grep -q '<requestedExecutionLevel level="highestAvailable" uiAccess="false"/>' "$work/manifest.xml" ||
  fail "manifest: execution level"
[ "$(grep -c '<supportedOS Id=' "$work/manifest.xml")" = 4 ] || fail "manifest: four supported systems expected"
grep -q '8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a' "$work/manifest.xml" || fail "manifest: Windows 10 and 11 missing"
grep -qi 'Common-Controls' "$work/manifest.xml" && fail "manifest asks for common controls 6"

# --- signing -------------------------------------------------------------------
ca="$work/ca"
mkdir -p "$ca"
(
  cd "$ca" || exit 1
  openssl req -x509 -newkey rsa:2048 -nodes -keyout ca.key -out ca.pem -days 2 -subj "/CN=Autorite de test" \
    -addext "basicConstraints=critical,CA:TRUE" -addext "keyUsage=critical,keyCertSign,cRLSign" &&
    openssl req -newkey rsa:2048 -nodes -keyout signer.key -out signer.csr -subj "/O=Corvanel/CN=Corvanel test" &&
    printf 'basicConstraints=critical,CA:FALSE\nkeyUsage=critical,digitalSignature\nextendedKeyUsage=codeSigning\n' >signer.ext &&
    openssl x509 -req -in signer.csr -CA ca.pem -CAkey ca.key -CAcreateserial -out signer.pem -days 2 -extfile signer.ext &&
    echo 'mot de passe jetable' >password &&
    openssl pkcs12 -export -inkey signer.key -in signer.pem -certfile ca.pem -out signer.p12 -passout file:password &&
    openssl req -x509 -newkey rsa:2048 -nodes -keyout other.key -out other.pem -days 2 -subj "/CN=Autre autorite"
) >"$work/ca.out" 2>&1 || fail "making the test certificates failed: $(tail -3 "$work/ca.out")"
sign=(--sign-pkcs12 "$ca/signer.p12" --sign-password-file "$ca/password")

# The product signed (its build folder reused), then checked: the chain to
# the test authority, SHA-256, and nothing but the signature added.
s="$work/a/SIGNED.EXE"
make_installer "$app" -o "$s" --version 2.7.1.30 --build-dir "$work/build-a" "${sign[@]}" >"$work/s.out" 2>&1 ||
  fail "signed build: exit code $?"
osslsigncode verify -CAfile "$ca/ca.pem" -in "$s" >"$work/verify.out" 2>&1 || fail "signature not verified"
grep -q '^Message digest algorithm  : SHA256' "$work/verify.out" || fail "digest is not SHA-256"
grep -q 'Subject: /O=Corvanel/CN=Corvanel test' "$work/verify.out" || fail "signer not named"
osslsigncode verify -CAfile "$ca/other.pem" -in "$s" >/dev/null 2>&1 && fail "verified against another authority"
osslsigncode remove-signature -in "$s" -out "$work/unsigned.EXE" >/dev/null 2>&1
cmp "$work/unsigned.EXE" "$a" || fail "the signed program without its signature is not the unsigned one"

# --- the x86_64 flavour, signed, end to end under Wine ------------------------
w="$work/w/INSTALL.EXE"
mkdir -p "$work/w"
make_installer "$app" -o "$w" --arch x86_64 --build-dir "$work/build-w" "${sign[@]}" >"$work/w.out" 2>&1 ||
  fail "x86_64 build: exit code $?"
grep -q "PE32+ executable (GUI) x86-64" <(file -b "$w") || fail "x86_64 flavour: $(file -b "$w")"
osslsigncode verify -CAfile "$ca/ca.pem" -in "$w" >/dev/null 2>&1 || fail "x86_64 signature not verified"
x86_64-w64-mingw32-windres -i "$w" -O rc >"$work/resources-w.rc" 2>&1
grep -qxF ' FILEVERSION 1, 0, 0, 0' "$work/resources-w.rc" || fail "default version is not 1.0.0.0"

drive="$BRANNOCH_WINEPREFIX/drive_c"
clean() {
  rm -rf "$drive/Brannoch" "$drive/windows/Fonts/Starmath.ttf"
  find "$drive/users" -iname 'Brannoch*Corvanel*.lnk' -delete 2>/dev/null || true
}
clean
cat >"$work/run.script" <<'S'
when "Installation de*" once key O
when "Installation de*" key O
when "Brannoch" texts; close
expect "Brannoch"
S
"$WINE_RUN" "$PILOT" --timeout 180 --kill-rest --log "$work/run.log" --shots "$work/shots" --script "$work/run.script" \
  -- "$w" >"$work/run.out" 2>&1
code=$?
[ "$code" = 0 ] || fail "the signed installer ended with $code"
for f in "$app"/*; do
  [ -f "$f" ] || continue
  n=$(basename "$f")
  case $n in .*) continue ;; esac
  cmp -s "$f" "$drive/Brannoch/$n" || fail "C:\\Brannoch\\$n is not the folder's file"
done
cmp -s "$work/reference.FCC" "$drive/Brannoch/Brannoch.FCC" || fail "the payload written is not the packed folder"
cmp -s "$w" "$drive/Brannoch/install.exe" || fail "install.exe is not the signed installer"
[ -e "$drive/Brannoch/sous-dossier" ] && fail "a left-out subfolder was installed"
[ -e "$drive/Brannoch/.cache" ] && fail "a dot file was installed"
cmp -s "$app/StarMath.ttf" "$drive/windows/Fonts/Starmath.ttf" || fail "font not copied"
grep -qixF 'text "Brannoch" 101 Edit "C:\Brannoch\Brannoch.EXE"' "$work/run.log" ||
  fail "the installed program was not started"
clean

# --- refusals: exit code 1, a message naming the cause, no file ------------------
as=()  # what a refused run goes through
refused() {  # refused NAME PATTERN FOLDER [OPTIONS...]: make-installer must refuse
  local name=$1 pattern=$2 folder=$3
  shift 3
  local o="$work/refused/$name.EXE"
  mkdir -p "$work/refused"
  "${as[@]}" "$TOP/scripts/make-installer" "$folder" -o "$o" --build-dir "$work/build-a" "$@" >"$work/refused/$name.out" 2>&1
  local rc=$?
  [ "$rc" = 1 ] || fail "$name: exit code $rc, wanted 1"
  grep -qF -- "$pattern" "$work/refused/$name.out" || fail "$name: no \"$pattern\" in: $(cat "$work/refused/$name.out")"
  [ -z "$(ls -A "$work/refused" | grep -v '\.out$')" ] || fail "$name: left $(ls "$work/refused")"
}
mkdir -p "$work/noprogram" && cp "$app/StarMath.ttf" "$work/noprogram/"
refused noprogram "holds no brannoch.exe" "$work/noprogram"
mkdir -p "$work/badname" && cp "$app/brannoch.exe" "$work/badname/" && echo x >"$work/badname/aux.txt"
refused badname 'nom refusé par l'"'"'installateur : "aux.txt"' "$work/badname"
mkdir -p "$work/unreadable" && cp "$app/brannoch.exe" "$work/unreadable/" && echo x >"$work/unreadable/secret.dat"
chmod 000 "$work/unreadable/secret.dat"
# root reads any file: that run goes without the capabilities that allow it.
[ "$(id -u)" = 0 ] && as=(setpriv --bounding-set=-dac_override,-dac_read_search --)
refused unreadable "lecture impossible : \"$work/unreadable/secret.dat\"" "$work/unreadable"
as=()
refused version "is over 65535" "$app" --version 1.70000

if [ "$failures" = 0 ]; then
  echo "ok make-installer"
else
  exit 1
fi
