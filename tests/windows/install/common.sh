# Shared by the per-user and signing tests of the packages, sourced with
# wine_run, arch and prefix set: the keys the control owns and checks on them.
. "$(dirname "$0")/../prefix_steps.sh"
fresh() {
  WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true
  rm -rf "$prefix" "$prefix.display"
}
user_classes='HKCU\Software\Classes' machine_classes='HKLM\Software\Classes'
user_folder="$prefix/drive_c/users/$(id -un)/AppData/Local/Programs/Orvel Board"
machine_folder="$prefix/drive_c/Program Files/Orvel Board"

# The control's trees below a classes root; a 64-bit prefix also has the
# type library and its interfaces in the 32-bit view.
owned_keys() {
  for view in '' ${1:+Wow6432Node\\}; do
    printf '%s\n' "${view}TypeLib\\{609D1FFF-9841-4F8C-BD30-B7CB2581251E}" \
      "${view}Interface\\{56EF63B7-F129-46BA-9332-677F46CA0BFD}" \
      "${view}Interface\\{2AE2D78E-5DA3-416C-8997-4248A58F40A3}" \
      "${view}Interface\\{69C8E725-B9AE-473C-A8E1-77F50FE959F8}" \
      "${view}Interface\\{F388C9A2-D558-4AC0-B03C-CC1E549EC6FE}"
  done
  printf '%s\n' 'CLSID\{D92AEA81-DB4C-4571-82BD-2B488F9A5458}' 'OrvelBoardLib.OvlChess' \
    'CLSID\{8520721F-C445-44AC-871B-52275A14BE9A}' 'OrvelBoardLib.OvlBoard'
}
[ "$arch" = win64 ] && all_views=yes

# ROOT present|absent: every owned tree is, or none is, below ROOT.
expect_keys() {
  owned_keys $all_views | while read -r key; do
    if win reg query "$1\\$key" >/dev/null 2>&1; then state=present; else state=absent; fi
    [ "$state" = "$2" ] || fail "$1\\$key is $state"
  done
}

# MACHINE_VERSIONS USER_VERSIONS: the Orvel Board products listed in Apps &
# features. Wine 8 lists a per-user product under HKLM too, so the name tells
# them apart, and the user's installer context must hold the per-user ones.
expect_versions() {
  listed=$(win reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s | tr -d '\r' | awk '
    /^HKEY/ { name = ""; version = "" }
    /DisplayName.*Orvel Board/ { name = /per user/ ? "user" : "machine" }
    /DisplayVersion/ { version = $NF }
    name != "" && version != "" { print name, version; name = "" }' | sort)
  [ "$listed" = "$(printf '%s\n' ${1:+"machine $1"} ${2:+"user $2"})" ] || fail "installed: $listed"
  users=$(win reg query 'HKCU\Software\Microsoft\Installer\Products' /s 2>/dev/null | grep -c 'per user' || true)
  [ "$users" = "$(if [ -n "$2" ]; then echo 1; else echo 0; fi)" ] || fail "$users products in the user's context"
  echo "installed: $(echo $listed)"
}

expect_script_works() {
  out=$(cd "$(dirname "$0")" && win cscript //nologo installed.vbs 2>&1)
  echo "$out" | grep -q "installed.vbs passed" || fail "the script could not use the control: $out"
}
