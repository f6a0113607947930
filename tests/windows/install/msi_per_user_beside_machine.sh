#!/bin/sh
# The per-user and the per-machine installer of one release in one fresh
# prefix: both install, and uninstalling either leaves the other's files and
# keys in place.
# Usage: msi_per_user_beside_machine.sh MACHINE_MSI USER_MSI VERSION WINE_RUN ARCH PREFIX
set -e
machine_msi=$1 user_msi=$2 version=$3 wine_run=$4 arch=$5 prefix=$6
. "$(dirname "$0")/per_user_common.sh"
user_folder=$(user_folder)
machine_folder="$prefix/drive_c/Program Files/Orvel Board"

expect_machine_install() {
  [ -f "$machine_folder/OrvelBoard.ocx" ] || fail "the per-machine control is gone"
  expect_keys "$machine_classes" present
  expect_script_works
}
expect_user_install() {
  [ -f "$user_folder/OrvelBoard.ocx" ] || fail "the per-user control is gone"
  expect_keys "$user_classes" present
}

fresh
step win msiexec /i "$machine_msi" /qn || fail "installing $machine_msi failed"
step win msiexec /i "$user_msi" /qn || fail "installing $user_msi beside it failed"
expect_versions "$version" "$version"
expect_machine_install
expect_user_install

step win msiexec /x "$user_msi" /qn || fail "uninstalling $user_msi failed"
expect_versions "$version" ""
[ ! -e "$user_folder" ] || fail "$user_folder is still there"
expect_keys "$user_classes" absent
expect_machine_install

step win msiexec /i "$user_msi" /qn || fail "installing $user_msi again failed"
step win msiexec /x "$machine_msi" /qn || fail "uninstalling $machine_msi failed"
expect_versions "" "$version"
[ ! -e "$machine_folder" ] || fail "$machine_folder is still there"
expect_keys "$machine_classes" absent
expect_user_install

step win msiexec /x "$user_msi" /qn || fail "uninstalling $user_msi last failed"
expect_versions "" ""
expect_keys "$user_classes" absent
echo "per-user beside per-machine test passed"
