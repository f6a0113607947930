#!/bin/sh
# Checks the module's export table holds exactly the four COM entry points,
# undecorated, and that it imports no compiler runtime DLL.
# Usage: check_binary.sh OBJDUMP MODULE
set -e
dump=$("$1" -p "$2")

exports=$(echo "$dump" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/s/^[[:space:]]*\[ *[0-9]*\] //p' | sort)
expected="DllCanUnloadNow
DllGetClassObject
DllRegisterServer
DllUnregisterServer"
if [ "$exports" != "$expected" ]; then
  printf 'exports are:\n%s\nexpected:\n%s\n' "$exports" "$expected"
  exit 1
fi

runtime=$(echo "$dump" | sed -n 's/^[[:space:]]*DLL Name: //p' | grep -i -E 'libgcc|libstdc|winpthread' || true)
if [ -n "$runtime" ]; then
  printf 'imports runtime DLLs:\n%s\n' "$runtime"
  exit 1
fi
echo "exports: $(echo $exports)"
