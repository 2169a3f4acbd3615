#!/usr/bin/env bash
# damage.sh FILE: overwrites 64 bytes of FILE's compressed data with 0xFF.
set -euo pipefail
printf '\377%.0s' $(seq 64) | dd of="$1" bs=1 seek=4000 conv=notrunc status=none
