# shellcheck shell=bash
# What a failed build says first. make's closing lines only say that some step
# failed; the compiler's first error says why, so the scripts print it last.
#
#   FirstBuildError LOG   the first compiler, linker or CMake error in LOG and
#                         the lines that follow it; nothing when there is none
FirstBuildError() {
  local line
  line=$(grep -n -m1 -E '(^|: )(fatal )?error[: ]|undefined reference|^CMake Error' "$1" | cut -d: -f1)
  [ -n "$line" ] || return 0
  echo "first error (line $line of $1):"
  sed -n "$line,$((line + 5))p" "$1" | grep -v -E '^g?make(\[[0-9]+\])?: '
}
