#!/usr/bin/env bash
# The Debian mirror scripts/bootstrap-wine32 --print-mirror takes from fake apt
# configurations (BRANNOCH_APT_ROOT), each root's release bookworm.
# Environment: TOP (the source tree).
set -uo pipefail
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
put() {  # put ROOT PATH <CONTENT
  mkdir -p "$(dirname "$tmp/$1/$2")" && cat >"$tmp/$1/$2" && echo VERSION_CODENAME=bookworm >"$tmp/$1/etc/os-release"
}
printf '%s\n' 'Types: deb' 'URIs: http://mirror.example/debian-security' 'Suites: bookworm-security' \
  'Components: main' '' 'Types: deb deb-src' 'URIs: mirror+file:/etc/apt/mirrors/debian.list' \
  '# the archive itself' ' http://mirror.example/debian/' 'Suites: bookworm bookworm-updates' 'Components: main' |
  put deb822 etc/apt/sources.list.d/debian.sources
printf '%s\n' 'deb [ arch=amd64 signed-by=/k.gpg ] http://mirror.example/debian-security bookworm-security main' \
  'deb-src http://src.example/debian bookworm main' 'deb https://vendor.example/node nodistro main' \
  'deb https://vendor.example/tools bookworm stable' \
  'deb [arch=amd64] http://mirror.example/debian bookworm main contrib # the archive' | put oneline etc/apt/sources.list
echo 'deb http://snapshot.example/archive/debian/20250520T000000Z bookworm main' | put snapshot etc/apt/sources.list
printf '%b' 'Types: deb\nURIs: http://old.example/debian\nSuites: bookworm\nComponents: main\nEnabled: no\n\n' \
  'Types: deb-src\nURIs: http://src.example/debian\nSuites: bookworm\nComponents: main\n' |
  put disabled etc/apt/sources.list.d/a.sources
echo 'deb http://saved.example/debian bookworm main' | put disabled etc/apt/sources.list.d/b.list.save
echo 'deb file:/srv/debian/ stable main' | put disabled etc/apt/sources.list.d/c.list
echo 'deb mirror+file:/etc/apt/mirrors/debian.list bookworm main' | put unusable etc/apt/sources.list

failures=0
# root | BRANNOCH_DEBIAN_MIRROR | exit status | standard output | standard error after "bootstrap-wine32: "
while IFS='|' read -r root override status out err; do
  got_out=$(BRANNOCH_APT_ROOT="$tmp/$root" BRANNOCH_DEBIAN_MIRROR="$override" \
    "$TOP/scripts/bootstrap-wine32" --print-mirror 2>"$tmp/err")
  got="$?|$got_out|$(cat "$tmp/err")"
  [ "$got" = "$status|$out|bootstrap-wine32: $err" ] || { echo "FAIL: $root${override:+ with $override}: $got"; failures=$((failures + 1)); }
done <<'TABLE'
deb822||0|http://mirror.example/debian|mirror http://mirror.example/debian, from /etc/apt/sources.list.d/debian.sources
oneline||0|http://mirror.example/debian|mirror http://mirror.example/debian, from /etc/apt/sources.list
snapshot|http://override.example/debian|0|http://override.example/debian|mirror http://override.example/debian, from BRANNOCH_DEBIAN_MIRROR
snapshot||1||no Debian archive source found in the apt configuration; set BRANNOCH_DEBIAN_MIRROR to a Debian mirror's URL
empty||1||no Debian archive source found in the apt configuration; set BRANNOCH_DEBIAN_MIRROR to a Debian mirror's URL
disabled||0|file:/srv/debian|mirror file:/srv/debian, from /etc/apt/sources.list.d/c.list
unusable||1||debootstrap can use none of the apt configuration's Debian archive sources (mirror+file:/etc/apt/mirrors/debian.list); set BRANNOCH_DEBIAN_MIRROR to a Debian mirror's URL (http, https or file)
TABLE
[ "$failures" = 0 ] && echo "bootstrap-wine32 mirror: every case passed"
[ "$failures" = 0 ]
