#!/bin/sh
# The per-user installer in a fresh prefix: an older release installs and the
# current one upgrades it, listed in this user's Apps & features with its size
# and folder; the files go to the user's local programs folder and every key
# under HKCU\Software\Classes, none under the machine's. Wine's COM reads only
# the machine's classes, so the user's keys are copied there to show they are
# complete: a script creates the board by its ProgID. Uninstalling leaves no
# file and no key of the user's.
# Usage: msi_per_user.sh MSI VERSION OLDER_MSI OLDER_VERSION OCX WINE_RUN ARCH PREFIX
set -e
msi=$1 version=$2 older=$3 older_version=$4 ocx=$5 wine_run=$6 arch=$7 prefix=$8
. "$(dirname "$0")/per_user_common.sh"
folder=$(user_folder)

fresh
step win msiexec /i "$older" /qn || fail "installing $older failed"
expect_versions "" "$older_version"
step win msiexec /i "$msi" /qn || fail "upgrading to $msi failed"
expect_versions "" "$version"

cmp "$ocx" "$folder/OrvelBoard.ocx" || fail "the installed control is not the build's"
for file in OrvelBoard.tlb OrvelBoard.manifest orvel_board.h orvel_board.idl README.txt; do
  [ -f "$folder/$file" ] || fail "no $file in $folder"
done
expect_uninstall_entry "(per user)" "$(user_folder_windows)\\"

expect_keys "$user_classes" present
expect_keys "$machine_classes" absent
module=$(win reg query "$user_classes"'\CLSID\{D92AEA81-DB4C-4571-82BD-2B488F9A5458}\InprocServer32' /ve |
  tr -d '\r' | sed -n 's/.*REG_SZ *//p')
[ "$module" = "$(user_folder_windows)\\OrvelBoard.ocx" ] || fail "the class names '$module'"
echo "keys under $user_classes:"
owned_keys | sed 's/^/  /'

# Windows merges the user's classes over the machine's; Wine 8 does not.
owned_keys | while read -r key; do
  win reg copy "$user_classes\\$key" "$machine_classes\\$key" /s /f >/dev/null || fail "cannot copy $key"
done
expect_script_works
# Wine shares the type library's key between the views: one delete may take two.
owned_keys | while read -r key; do
  if has_key "$machine_classes\\$key"; then win reg delete "$machine_classes\\$key" /f >/dev/null; fi
done

step win msiexec /x "$msi" /qn || fail "uninstalling failed"
expect_versions "" ""
[ ! -e "$folder" ] || fail "$folder is still there: $(ls "$folder")"
expect_keys "$user_classes" absent
expect_keys "$machine_classes" absent
if has_key 'HKCU\Software\Orvel'; then fail "HKCU\\Software\\Orvel is still there"; fi
echo "per-user installer test passed"
