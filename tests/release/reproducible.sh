#!/usr/bin/env bash
# Builds ardeno.exe again with the mingw preset, from a copy of the sources at
# another path into another build folder, and compares the two files byte for
# byte: neither a time stamp nor a path of the build may reach the file.
# Usage: reproducible.sh SOURCE_DIR EXE
set -euo pipefail
source_dir=$1
exe=$2
work=$(mktemp -d /tmp/ardeno-reproduce.XXXXXX)
trap 'rm -rf "$work"' EXIT

mkdir "$work/elsewhere"
tar -C "$source_dir" --exclude=./build --exclude=./.git -cf - . | tar -C "$work/elsewhere" -xf -
if ! (cd "$work/elsewhere" && cmake --preset mingw -B "$work/another-build" &&
  cmake --build "$work/another-build" --target ardeno -j2) >"$work/build.log" 2>&1; then
  cat "$work/build.log"
  exit 1
fi

again=$work/another-build/ardeno.exe
sha256sum "$exe" "$again"
if ! cmp "$exe" "$again"; then
  echo "differing bytes (offset, octal values):"
  cmp -l "$exe" "$again" | head -n 20
  exit 1
fi
echo "byte-identical: $(wc -c <"$exe") bytes, built in $(dirname "$exe") and in $(dirname "$again")"
