#!/usr/bin/env bash
# Lists what ardeno.exe imports and fails on anything the tool must not use:
# a DLL beyond Windows' own three, a user32 function the tool does not call,
# or any function that reaches files, the registry, the network or other
# processes. The runtime's start-up stays as it is: it reports a failure to
# start on stderr (fprintf, fwrite, vfprintf on _iob), which opens nothing,
# and GCC's crtbegin looks for an already loaded libgcc DLL (GetModuleHandleA,
# LoadLibraryA, GetProcAddress, FreeLibrary).
# Usage: imports.sh OBJDUMP EXE
set -euo pipefail
export LC_ALL=C
objdump=$1
exe=$2

# The window-manager operations of the platform layer, and nothing else.
user32_allowed='^(CharLowerBuffA|EnumWindows|GetClassNameA|GetForegroundWindow|GetMonitorInfoA|GetWindow|GetWindowRect|IsIconic|IsZoomed|MessageBoxA|MessageBoxW|MonitorFromRect|MoveWindow|SystemParametersInfoA)$'
forbidden='^(CreateFile|OpenFile|ReOpenFile|_l(open|creat|read|write)|ReadFile|WriteFile|DeleteFile|CopyFile|MoveFile|ReplaceFile|CreateDirectory|RemoveDirectory|FindFirstFile|SetFileAttributes|CreateFileMapping|GetTempFileName|(Get|Write)(Private)?Profile|_?w?fopen|_w?fsopen|_?w?freopen|_w?open|_w?sopen|_w?creat|_?w?unlink|_?w?remove|_?w?rename|_w?mkdir|_w?rmdir|tmpfile|_w?tempnam|_w?mktemp)'
forbidden+='|^(Reg[A-Z]|SHReg|SH(Get|Set|Delete)Value|SHDeleteKey)'
forbidden+='|^(WSA|(socket|connect|bind|listen|accept|send|sendto|recv|recvfrom|closesocket|gethostbyname|getaddrinfo)$|Internet|WinHttp|URLDownload)'
forbidden+='|^(CreateProcess|ShellExecute|WinExec|LoadModule|_?w?system$|_w?spawn|_w?exec|_w?popen)'

# One "DLL function" line per import, from objdump's import tables; objdump
# names an import by ordinal "<none>".
imports=$("$objdump" -p "$exe" | awk '
  /DLL Name:/ { dll = $3; next }
  /^$/ { dll = "" }
  dll != "" && /^\t[0-9a-f]+\t/ { print dll, ($3 == "<none>" ? "ordinal:" $2 : $3) }')
[ -n "$imports" ] || { echo "no import table found in $exe"; exit 1; }

while read -r dll functions; do
  echo "$dll ($(wc -w <<<"$functions")): $functions"
done < <(awk '{ list[$1] = list[$1] " " $2 } END { for (d in list) print d list[d] }' <<<"$imports" | sort)

failures=0
while read -r dll function; do
  reason=
  case ${dll,,} in
    kernel32.dll | msvcrt.dll) ;;
    user32.dll) [[ $function =~ $user32_allowed ]] || reason="not an operation of the platform layer" ;;
    *) reason="DLL not allowed" ;;
  esac
  [[ $function == ordinal:* ]] && reason="imported by ordinal, cannot be checked"
  [[ $function =~ $forbidden ]] && reason="file, registry, network or process function"
  if [ -n "$reason" ]; then
    echo "FORBIDDEN $dll $function: $reason"
    failures=$((failures + 1))
  fi
done <<<"$imports"

echo "$(wc -l <<<"$imports") functions imported, $failures forbidden"
[ "$failures" -eq 0 ]
