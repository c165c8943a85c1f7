#!/usr/bin/env bash
# Builds ardeno.exe again with the given preset, from a copy of the sources at
# another path into another build folder, and compares the two files byte for
# byte: neither a time stamp nor a path of the build may reach the file. Given
# the zip of a build that has a package, packs the second build too and
# compares the zips; the copy has no .git, fresh file times, a tighter umask
# and another time zone, none of which may reach the zip.
# Usage: reproducible.sh SOURCE_DIR EXE PRESET [ZIP]
set -euo pipefail
source_dir=$1
exe=$2
preset=$3
zip=${4:-}
work=$(mktemp -d /tmp/ardeno-reproduce.XXXXXX)
trap 'rm -rf "$work"' EXIT

target=ardeno
if [ -n "$zip" ]; then
  target=package
  cmake --build "$(dirname "$zip")" --target package >"$work/package.log" 2>&1 ||
    { cat "$work/package.log"; exit 1; }
fi

mkdir "$work/elsewhere"
tar -C "$source_dir" --exclude=./build --exclude=./.git -cf - . | tar -C "$work/elsewhere" -xmf -
# The copy has no .git: like a tree from git archive, it carries the commit's
# time in cmake/commit-time.
[ -z "$zip" ] || python3 "$source_dir/cmake/commit_time.py" "$source_dir" >"$work/elsewhere/cmake/commit-time"
if ! (cd "$work/elsewhere" && umask 077 && export TZ=JST-9 &&
  cmake --preset "$preset" -B "$work/another-build" &&
  cmake --build "$work/another-build" --target "$target" -j2) >"$work/build.log" 2>&1; then
  cat "$work/build.log"
  exit 1
fi

# Compares a file of the first build with its namesake in the second.
CompareBuilt() {
  local first=$1 again
  again=$work/another-build/$(basename "$1")
  sha256sum "$first" "$again"
  if ! cmp "$first" "$again"; then
    echo "differing bytes (offset, octal values):"
    cmp -l "$first" "$again" | head -n 20
    exit 1
  fi
  echo "byte-identical: $(wc -c <"$first") bytes, built in $(dirname "$first") and in $(dirname "$again")"
}
CompareBuilt "$exe"
[ -z "$zip" ] || CompareBuilt "$zip"
