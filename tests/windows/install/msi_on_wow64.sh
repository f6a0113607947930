#!/bin/sh
# The 32-bit installer on 64-bit Windows, in a fresh 64-bit prefix: it installs
# into "Program Files (x86)", registers in the 32-bit view only, serves a
# 32-bit script client, and uninstalls without a trace. Skipped (77) when the
# 32-bit build has not left its package yet.
# Usage: msi_on_wow64.sh X86_MSI WINE_RUN PREFIX
set -e
msi=$1 wine_run=$2 prefix=$3
here=$(cd "$(dirname "$0")" && pwd)
folder="$prefix/drive_c/Program Files (x86)/Orvel Board"
class='\CLSID\{D92AEA81-DB4C-4571-82BD-2B488F9A5458}'
view32='HKLM\Software\Classes\Wow6432Node'

arch=win64
. "$(dirname "$0")/../prefix_steps.sh"
[ -f "$msi" ] || {
  echo "no $msi: build the 32-bit tree first"
  exit 77
}

"$wine_run" --fresh win64 "$prefix"

echo "+ msiexec /i $msi /qn"
win msiexec /i "$msi" /qn || fail "installing failed"
[ -f "$folder/OrvelBoard.ocx" ] || fail "no OrvelBoard.ocx in $folder"
module=$(win reg query "$view32$class\\InprocServer32" /ve | tr -d '\r' | sed -n 's/.*REG_SZ *//p')
[ "$module" = 'C:\Program Files (x86)\Orvel Board\OrvelBoard.ocx' ] || fail "the 32-bit view names '$module'"
if win reg query "HKCR$class" >/dev/null 2>&1; then fail "the class is in the 64-bit view"; fi

out=$(cd "$here" && win 'C:\windows\syswow64\cscript.exe' //nologo installed.vbs 2>&1)
echo "$out"
echo "$out" | grep -q "installed.vbs passed" || fail "a 32-bit script could not use the installed control"

echo "+ msiexec /x $msi /qn"
win msiexec /x "$msi" /qn || fail "uninstalling failed"
[ ! -e "$folder" ] || fail "$folder is still there"
for key in "$class" '\OrvelBoardLib.OvlChess' '\TypeLib\{609D1FFF-9841-4F8C-BD30-B7CB2581251E}' \
  '\CLSID\{8520721F-C445-44AC-871B-52275A14BE9A}' '\OrvelBoardLib.OvlBoard'; do
  if win reg query "$view32$key" >/dev/null 2>&1; then fail "$view32$key is still there"; fi
done
echo "32-bit installer on 64-bit Windows passed"
