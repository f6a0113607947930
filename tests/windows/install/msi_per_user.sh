#!/bin/sh
# The per-user installer in a fresh prefix: it upgrades an older release,
# its uninstall entry shows size and folder, its files go to the user's local
# programs folder and every key under HKCU\Software\Classes, none under the
# machine's. Wine's COM reads only the machine's classes, so the user's keys
# are copied there to show they are complete: a script creates the board by
# its ProgID. Uninstalling leaves no file and no key of the user's.
# Usage: msi_per_user.sh MSI VERSION OLDER_MSI OLDER_VERSION OCX WINE_RUN ARCH PREFIX
set -e
msi=$1 version=$2 older=$3 older_version=$4 ocx=$5 wine_run=$6 arch=$7 prefix=$8
. "$(dirname "$0")/common.sh"
folder="C:\\users\\$(id -un)\\AppData\\Local\\Programs\\Orvel Board"

fresh
step win msiexec /i "$older" /qn
expect_versions "" "$older_version"
step win msiexec /i "$msi" /qn
expect_versions "" "$version"
cmp "$ocx" "$user_folder/OrvelBoard.ocx" || fail "the installed control is not the build's"
# Wine records the package's ARPSIZE as Size; Windows computes EstimatedSize itself.
entries=$(win reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s | tr -d '\r')
printf '%s\n' "$entries" | grep -qF "InstallLocation    REG_SZ    $folder\\" ||
  fail "no uninstall entry names $folder"
printf '%s\n' "$entries" | grep -Eq "^ +Size +REG_SZ +[1-9][0-9]{2,}$" || fail "no uninstall entry gives a size"

expect_keys "$user_classes" present
expect_keys "$machine_classes" absent
module=$(win reg query "$user_classes\\CLSID\\{D92AEA81-DB4C-4571-82BD-2B488F9A5458}\\InprocServer32" /ve)
printf '%s\n' "$module" | grep -qF "REG_SZ    $folder\\OrvelBoard.ocx" || fail "the class names $module"
owned_keys $all_views | while read -r key; do
  win reg copy "$user_classes\\$key" "$machine_classes\\$key" /s /f >/dev/null || fail "cannot copy $key"
done
expect_script_works
# Wine shares the type library's key between the views: one delete may take two.
owned_keys $all_views | while read -r key; do
  win reg delete "$machine_classes\\$key" /f >/dev/null 2>&1 || true
done

step win msiexec /x "$msi" /qn
expect_versions "" ""
[ ! -e "$user_folder" ] || fail "$user_folder is still there: $(ls "$user_folder")"
expect_keys "$user_classes" absent
expect_keys "$machine_classes" absent
if win reg query 'HKCU\Software\Orvel' >/dev/null 2>&1; then fail "HKCU\\Software\\Orvel is still there"; fi
echo "per-user installer test passed"
