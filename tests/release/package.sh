#!/usr/bin/env bash
# Packs the build as the package target does, into a folder of its own, and
# checks the zip's contents and the SHA256SUMS beside it.
# Usage: package.sh BUILD_DIR EXE VERSION
set -euo pipefail
export LC_ALL=C
build_dir=$1
exe=$2
version=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

zip=ardeno-$version-win32.zip
(cd "$build_dir" && cpack --config CPackConfig.cmake -B "$work/out") >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; exit 1; }
[ -f "$work/out/$zip" ] || { echo "no $zip"; ls "$work/out"; exit 1; }
(cd "$work/out" && sha256sum -c SHA256SUMS)

listing=$(cmake -E tar tf "$work/out/$zip" | sort | tr '\n' ' ')
[ "$listing" = "LICENSE README.md ardeno.exe " ] || { echo "zip holds: $listing"; exit 1; }
mkdir "$work/unpacked"
(cd "$work/unpacked" && cmake -E tar xf "$work/out/$zip")
cmp "$work/unpacked/ardeno.exe" "$exe"
echo "$zip: $(wc -c <"$work/out/$zip") bytes: $listing"
