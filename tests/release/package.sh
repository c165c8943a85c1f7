#!/usr/bin/env bash
# Builds the package target and checks the zip: its entries in their order,
# the exe inside it, and a SHA256SUMS that holds for the unpacked files and
# the zip alike.
# Usage: package.sh BUILD_DIR EXE VERSION
set -euo pipefail
export LC_ALL=C
build_dir=$1
exe=$2
version=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

zip=ardeno-$version-win32.zip
cmake --build "$build_dir" --target package >"$work/package.log" 2>&1 || { cat "$work/package.log"; exit 1; }
cp "$build_dir/$zip" "$build_dir/SHA256SUMS" "$work"

listing=$(cmake -E tar tf "$work/$zip" | tr '\n' ' ')
[ "$listing" = "ardeno.exe readme.txt docs/demo.ja.png docs/displays.ja.png LICENSE " ] ||
  { echo "zip holds: $listing"; exit 1; }
(cd "$work" && cmake -E tar xf "$zip" && sha256sum -c SHA256SUMS)
[ "$(wc -l <"$work/SHA256SUMS")" -eq 6 ] || { echo "SHA256SUMS is not the five files and the zip"; exit 1; }
cmp "$work/ardeno.exe" "$exe"
echo "$zip: $(wc -c <"$work/$zip") bytes: $listing"
