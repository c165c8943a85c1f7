#!/usr/bin/env bash
# Checks what Windows reads from ardeno.exe before running it: the GUI
# subsystem, the manifest as resource 1 of RT_MANIFEST (the very bytes of
# res/ardeno.manifest) and a version resource whose numbers and strings are
# the project's version.
# Usage: resources.sh OBJDUMP EXE MANIFEST VERSION   (VERSION as in project())
set -euo pipefail
export LC_ALL=C
objdump=$1
exe=$2
manifest=$3
version=$4
binutils=${objdump%objdump}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

Fail() {
  echo "FAIL: $*"
  exit 1
}

"$objdump" -p "$exe" >"$work/headers"
grep -q '^Subsystem.*(Windows GUI)' "$work/headers" || Fail "subsystem is not Windows GUI"
"${binutils}objcopy" -O binary --only-section=.rsrc "$exe" "$work/rsrc"
section_rva=$((16#$(awk '/Resource Directory \[\.rsrc\]/ { print $3 }' "$work/headers")))

# Copies resource ID 1 of TYPE (hex) out of the section, by objdump's listing
# of the resource tree: type entries, then name entries, then their leaves.
ExtractResource() {
  local type=$1 output=$2 leaf
  leaf=$(awk -v want="0x$type," '
    match($0, /^[0-9a-f]+ +Entry: ID:/) {
      indent = index($0, "Entry") - length($1)
      if (indent == 4) type = $4; else if (indent == 6) name = $4
    }
    /Leaf: Addr:/ && type == want && name == "0x000001," { print $4, $6 }' "$work/headers")
  [ -n "$leaf" ] || Fail "no resource 1 of type 0x$type"
  local address size
  read -r address size <<<"${leaf//,/}"
  tail -c +$((address - section_rva + 1)) "$work/rsrc" | head -c $((size)) >"$output"
}

ExtractResource 000018 "$work/manifest"
cmp -s "$work/manifest" "$manifest" || Fail "RT_MANIFEST 1 differs from $manifest"
echo "manifest: RT_MANIFEST 1, $(wc -c <"$work/manifest") bytes, same as $(basename "$manifest")"

ExtractResource 000010 "$work/version"
IFS=. read -r major minor patch <<<"$version"
# As a number, 0.01 is major 0, minor 1, patch 0.
major=$((10#$major)) minor=$((10#$minor)) patch=$((10#${patch:-0}))
# VS_FIXEDFILEINFO follows the 40-byte header: signature, struct version, then
# file and product versions as 16-bit halves, low half first.
read -r -a fixed <<<"$(od -An -tu2 -w24 -j40 -N24 "$work/version")"
[ "${fixed[0]} ${fixed[1]}" = "1213 65263" ] || Fail "no VS_FIXEDFILEINFO"
expected="$minor $major 0 $patch"
[ "${fixed[*]:4:4}" = "$expected" ] || Fail "FILEVERSION words ${fixed[*]:4:4}, expected $expected"
[ "${fixed[*]:8:4}" = "$expected" ] || Fail "PRODUCTVERSION words ${fixed[*]:8:4}, expected $expected"

"${binutils}strings" -el -n 1 "$work/version" >"$work/strings"
for pair in "FileVersion=$version" "ProductVersion=$version" "ProductName=Ardeno"; do
  value=$(grep -A1 -x "${pair%%=*}" "$work/strings" | tail -n 1)
  [ "$value" = "${pair#*=}" ] || Fail "${pair%%=*} is '$value', expected '${pair#*=}'"
  echo "version: $pair"
done
