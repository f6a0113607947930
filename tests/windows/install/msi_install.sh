#!/bin/sh
# The Windows Installer package in a fresh prefix: an older release installs
# and the current one upgrades it in place, installing again changes nothing,
# a downgrade is refused, a script creates the control by its ProgID, the
# registry holds what regsvr32 writes in another fresh prefix (folders aside),
# and uninstalling leaves no file and no key.
# Usage: msi_install.sh MSI VERSION OLDER_MSI OLDER_VERSION OCX WORK WINE_RUN ARCH PREFIX REFERENCE_PREFIX
set -e
msi=$1 version=$2 older=$3 older_version=$4 ocx=$5 work=$6 wine_run=$7 arch=$8 prefix=$9
reference=${10}
here=$(cd "$(dirname "$0")" && pwd)
folder="$prefix/drive_c/Program Files/Orvel Board"

. "$(dirname "$0")/../prefix_steps.sh"
ref() { "$wine_run" "$arch" "$reference" "$@"; }
# The trees the control owns under HKEY_CLASSES_ROOT, then the same in the
# 32-bit view of a 64-bit prefix (absent from a 32-bit one).
owned_keys() {
  for classes in 'HKCR' 'HKLM\Software\Classes\Wow6432Node'; do
    printf '%s\n' "$classes"'\CLSID\{D92AEA81-DB4C-4571-82BD-2B488F9A5458}'
    printf '%s\n' "$classes"'\OrvelBoardLib.OvlChess'
    printf '%s\n' "$classes"'\TypeLib\{609D1FFF-9841-4F8C-BD30-B7CB2581251E}'
    printf '%s\n' "$classes"'\Interface\{56EF63B7-F129-46BA-9332-677F46CA0BFD}'
    printf '%s\n' "$classes"'\Interface\{2AE2D78E-5DA3-416C-8997-4248A58F40A3}'
    printf '%s\n' "$classes"'\CLSID\{8520721F-C445-44AC-871B-52275A14BE9A}'
    printf '%s\n' "$classes"'\OrvelBoardLib.OvlBoard'
    printf '%s\n' "$classes"'\Interface\{69C8E725-B9AE-473C-A8E1-77F50FE959F8}'
    printf '%s\n' "$classes"'\Interface\{F388C9A2-D558-4AC0-B03C-CC1E549EC6FE}'
  done
}

# RUNNER OUT: every owned tree, one "[key] value" line each, sorted, so the
# order values were written in does not matter.
export_keys() {
  runner=$1 out=$2
  : >"$out"
  owned_keys | while read -r key; do
    if "$runner" reg export "$key" "Z:$out.reg" /y >/dev/null 2>&1; then
      iconv -f UTF-16 -t UTF-8 "$out.reg" | tr -d '\r' | awk '
        /^\[/ { section = $0; print section; next }
        /^(@|")/ { print section " " $0 }' >>"$out"
    else
      echo "[$key] missing" >>"$out"
    fi
  done
  rm -f "$out.reg"
}

# FILE FOLDER: the export with the control's folder (as a .reg file escapes
# it) replaced by <folder>. One documented difference: FLAGS holds the flags
# the library declares, in hexadecimal ("Registering a Type Library" in the
# Automation reference); Wine's RegisterTypeLib writes them in decimal with
# the loader's disk-image flag (8) added, so that flag is taken out.
normalise() {
  [ -n "$2" ] || fail "no folder to take out of $1"
  # Through the environment: awk -v would undo the doubled backslashes.
  FOLDER=$(printf '%s' "$2" | sed 's/\\/\\\\/g') awk '
    BEGIN { folder = ENVIRON["FOLDER"] }
    {
      line = $0
      while ((at = index(line, folder)) > 0)
        line = substr(line, 1, at - 1) "<folder>" substr(line, at + length(folder))
      if (line ~ /\\FLAGS\] @="[0-9]+"$/) {
        split(line, parts, "\"")
        flags = parts[2] + 0
        if (int(flags / 8) % 2 == 1) flags -= 8
        line = parts[1] "\"" flags "\""
      }
      print line
    }' "$1" | sort
}

# The versions of the installed Orvel Board products, one a line.
installed_versions() {
  win reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s 2>/dev/null | tr -d '\r' | awk '
    /^HKEY/ { name = ""; version = "" }
    /DisplayName/ && /Orvel Board/ { name = 1 }
    /DisplayVersion/ { version = $NF }
    name && version != "" { print version; name = "" }' | sort
}

expect_versions() {
  actual=$(installed_versions | tr '\n' ' ' | sed 's/ $//')
  [ "$actual" = "$1" ] || fail "installed versions are '$actual', expected '$1'"
  echo "installed: $actual"
}

"$wine_run" --fresh "$arch" "$prefix"
"$wine_run" --fresh "$arch" "$reference"
rm -rf "$work"
mkdir -p "$work"

# The reference registration runs meanwhile in its own prefix.
(
  ref regsvr32 /s "$ocx" && export_keys ref "$work/regsvr32.txt"
) >"$work/regsvr32.log" 2>&1 &
reference_job=$!

step win msiexec /i "$older" /qn || fail "installing $older failed"
expect_versions "$older_version"
step win msiexec /i "$msi" /qn || fail "upgrading to $msi failed"
expect_versions "$version"
step win msiexec /i "$msi" /qn || fail "installing $msi a second time failed"
expect_versions "$version"
if step win msiexec /i "$older" /qn; then fail "an older release replaced a newer one"; fi
expect_versions "$version"
win reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s | tr -d '\r' |
  grep -q 'InstallLocation *REG_SZ *C:\\Program Files\\Orvel Board\\$' || fail "no uninstall entry names the folder"

[ -f "$folder/OrvelBoard.ocx" ] || fail "no OrvelBoard.ocx in $folder"
cmp "$ocx" "$folder/OrvelBoard.ocx" || fail "the installed control is not the build's"
for file in OrvelBoard.tlb OrvelBoard.manifest orvel_board.h orvel_board_i.c orvel_board.idl reference.md README.txt; do
  [ -f "$folder/$file" ] || fail "no $file in $folder"
done

out=$(cd "$here" && win cscript //nologo installed.vbs 2>&1)
echo "$out"
echo "$out" | grep -q "installed.vbs passed" || fail "the script could not use the installed control"

export_keys win "$work/msi.txt"
wait "$reference_job" || {
  cat "$work/regsvr32.log"
  fail "regsvr32 in the reference prefix failed"
}
normalise "$work/msi.txt" 'C:\Program Files\Orvel Board' >"$work/msi.normal"
# Wine's drive Z: is the Unix root, so the module's Windows path needs no Wine run.
reference_folder=Z:$(dirname "$ocx" | tr / '\\')
normalise "$work/regsvr32.txt" "$reference_folder" >"$work/regsvr32.normal"
if grep '^\[HKCR' "$work/regsvr32.normal" | grep -q missing; then
  fail "regsvr32 wrote no $(grep '^\[HKCR.*missing' "$work/regsvr32.normal")"
fi
diff -u "$work/regsvr32.normal" "$work/msi.normal" || fail "the installer's registry differs from regsvr32's"
echo "registry equals regsvr32's: $(wc -l <"$work/msi.normal") lines"

step win msiexec /x "$msi" /qn || fail "uninstalling failed"
expect_versions ""
[ ! -e "$folder" ] || fail "$folder is still there: $(ls "$folder")"
owned_keys | while read -r key; do
  if win reg query "$key" >/dev/null 2>&1; then fail "$key is still there"; fi
done
echo "installer test passed"
