#!/usr/bin/env bash
# Checks which time cmake/commit_time.py gives the release zip in a tree of
# the sources: the one git archive wrote into cmake/commit-time, unless
# SOURCE_DATE_EPOCH is set or the tree has a .git (whose history then counts),
# and a refusal that names SOURCE_DATE_EPOCH where the tree cannot tell.
# Usage: commit_time.sh SOURCE_DIR
set -euo pipefail
source_dir=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

failures=0
# cmake/commit-time | SOURCE_DATE_EPOCH | .git | the time printed, or "refused"
while IFS='|' read -r archived epoch git expected; do
  tree=$work/tree
  rm -rf "$tree"
  mkdir -p "$tree/cmake"
  cp "$source_dir/cmake/commit_time.py" "$tree/cmake/"
  [ "$archived" = none ] || printf '%s\n' "$archived" >"$tree/cmake/commit-time"
  # An empty .git, which git cannot read.
  [ "$git" = no ] || mkdir "$tree/.git"
  if output=$(cd "$work" && SOURCE_DATE_EPOCH=$epoch python3 "$tree/cmake/commit_time.py" "$tree" 2>&1); then
    actual=$output
  elif [[ $output == *"set SOURCE_DATE_EPOCH"* ]]; then
    actual=refused
  else
    actual="failed: $output"
  fi
  echo "commit-time '$archived', SOURCE_DATE_EPOCH '$epoch', .git $git: $actual"
  [ "$actual" = "$expected" ] || { echo "  expected $expected"; failures=$((failures + 1)); }
done <<'EOF'
1796654580||no|1796654580
1796654580|1800000000|no|1800000000
$Format:%ct$|1800000000|no|1800000000
$Format:%ct$||no|refused
none||no|refused
1796654580||yes|refused
EOF
[ "$failures" -eq 0 ]
