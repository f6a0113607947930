#!/bin/sh
# The per-user and the per-machine installer of one release in one fresh
# prefix: both install, and uninstalling either leaves the other's files and
# keys in place.
# Usage: msi_per_user_beside_machine.sh MACHINE_MSI USER_MSI VERSION WINE_RUN ARCH PREFIX
set -e
machine_msi=$1 user_msi=$2 version=$3 wine_run=$4 arch=$5 prefix=$6
. "$(dirname "$0")/common.sh"

# SCOPE present|absent: that installation's control and keys.
expect_install() {
  folder=$machine_folder classes=$machine_classes
  [ "$1" = user ] && folder=$user_folder classes=$user_classes
  if [ -f "$folder/OrvelBoard.ocx" ]; then state=present; else state=absent; fi
  [ "$state" = "$2" ] || fail "the $1 installation's control is $state"
  expect_keys "$classes" "$2"
}

fresh
step win msiexec /i "$machine_msi" /qn
step win msiexec /i "$user_msi" /qn
expect_versions "$version" "$version"
expect_install machine present
expect_install user present

step win msiexec /x "$user_msi" /qn
expect_versions "$version" ""
expect_install user absent
expect_install machine present
expect_script_works

step win msiexec /i "$user_msi" /qn
step win msiexec /x "$machine_msi" /qn
expect_versions "" "$version"
expect_install machine absent
expect_install user present
step win msiexec /x "$user_msi" /qn
echo "per-user beside per-machine test passed"
