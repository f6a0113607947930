# Shared by the per-user installer tests, sourced with wine_run, arch and
# prefix set: running in the prefix, the keys the control owns, the folders.

win() { "$wine_run" "$arch" "$prefix" "$@"; }
fail() {
  echo "FAILED: $*"
  exit 1
}
step() {
  echo "+ $*"
  "$@"
}
fresh() {
  WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true
  rm -rf "$prefix" "$prefix.display"
}

# The trees the control owns below a classes root; a 64-bit prefix also
# holds the type library and its interfaces in the 32-bit view.
owned_keys() {
  printf '%s\n' 'CLSID\{D92AEA81-DB4C-4571-82BD-2B488F9A5458}' 'OrvelBoardLib.OvlChess' \
    'TypeLib\{609D1FFF-9841-4F8C-BD30-B7CB2581251E}' 'Interface\{56EF63B7-F129-46BA-9332-677F46CA0BFD}' \
    'Interface\{2AE2D78E-5DA3-416C-8997-4248A58F40A3}'
  if [ "$arch" = win64 ]; then
    printf '%s\n' 'Wow6432Node\TypeLib\{609D1FFF-9841-4F8C-BD30-B7CB2581251E}' \
      'Wow6432Node\Interface\{56EF63B7-F129-46BA-9332-677F46CA0BFD}' \
      'Wow6432Node\Interface\{2AE2D78E-5DA3-416C-8997-4248A58F40A3}'
  fi
}

has_key() { win reg query "$1" >/dev/null 2>&1; }

# ROOT PRESENT|ABSENT: every owned tree is (or none is) below ROOT.
expect_keys() {
  owned_keys | while read -r key; do
    if has_key "$1\\$key"; then
      [ "$2" = present ] || fail "$1\\$key is there"
    else
      [ "$2" = absent ] || fail "$1\\$key is missing"
    fi
  done
}

user_classes='HKCU\Software\Classes'
machine_classes='HKLM\Software\Classes'
user_folder() { echo "$prefix/drive_c/users/$(id -un)/AppData/Local/Programs/Orvel Board"; }
user_folder_windows() { printf '%s\n' "C:\\users\\$(id -un)\\AppData\\Local\\Programs\\Orvel Board"; }

# The Orvel Board products Apps & features lists, "NAME|VERSION" a line. A
# per-user product's entry is the user's (HKCU) on Windows; Wine 8 writes
# every entry under HKLM, so both are read.
listed_products() {
  for root in HKLM HKCU; do
    win reg query "$root\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall" /s 2>/dev/null
  done | tr -d '\r' | awk '
    /^HKEY/ { name = ""; version = "" }
    /DisplayName/ && /Orvel Board/ { sub(/.*REG_SZ +/, ""); name = $0 }
    /DisplayVersion/ { version = $NF }
    name != "" && version != "" { print name "|" version; name = "" }' | sort
}

# PER_MACHINE_VERSIONS PER_USER_VERSIONS: what is listed, and the per-user
# products registered in this user's installer context.
expect_versions() {
  machine=$(listed_products | grep -v '(per user)|' | cut -d'|' -f2 | tr '\n' ' ' | sed 's/ $//')
  user=$(listed_products | grep '(per user)|' | cut -d'|' -f2 | tr '\n' ' ' | sed 's/ $//')
  [ "$machine" = "$1" ] || fail "installed for all users: '$machine', expected '$1'"
  [ "$user" = "$2" ] || fail "installed for this user: '$user', expected '$2'"
  context=$(win reg query 'HKCU\Software\Microsoft\Installer\Products' /s 2>/dev/null | grep -c 'ProductName.*(per user)' || true)
  [ "$context" = "$(echo $2 | wc -w)" ] || fail "$context per-user products in the user's installer context"
  echo "installed for all users: '$machine', for this user: '$user'"
}

# The installed control, created by its ProgID from a script.
expect_script_works() {
  out=$(cd "$(dirname "$0")" && win cscript //nologo installed.vbs 2>&1)
  echo "$out"
  echo "$out" | grep -q "installed.vbs passed" || fail "the script could not use the control"
}

# NAME_PART FOLDER: the product's uninstall entry shows its folder and a size
# in kilobytes (Wine records the package's ARPSIZE as Size; Windows computes
# EstimatedSize itself).
expect_uninstall_entry() {
  entry=$(for root in HKLM HKCU; do
    win reg query "$root\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall" /s 2>/dev/null
  done | tr -d '\r' | awk -v part="$1" '
    /^HKEY/ { if (found) exit; block = "" }
    { block = block $0 "\n" }
    /DisplayName/ && index($0, part) { found = 1 }
    END { if (found) printf "%s", block }')
  location=$(printf '%s\n' "$entry" | sed -n 's/.*InstallLocation *REG_SZ *//p')
  size=$(printf '%s\n' "$entry" | sed -n 's/^ *Size *REG_SZ *//p')
  [ "$location" = "$2" ] || fail "the uninstall entry's location is '$location', expected '$2'"
  [ "${size:-0}" -gt 100 ] || fail "the uninstall entry's size is '$size'"
  printf 'uninstall entry: %s, %s KB\n' "$location" "$size"
}
