#!/bin/sh
# Signing a release with a throwaway self-signed certificate made here: the
# control and the installer sign and verify, a wrong password or an
# unreachable timestamp server fails the signing, and the signed control still
# registers and serves a script in a fresh prefix, as does the signed
# installer. An ordinary build's packages carry no signature.
# Usage: signing.sh OCX MSI ZIP SIGN_SCRIPT SIGNED_BUILD WORK WINE_RUN ARCH PREFIX
set -e
ocx=$1 msi=$2 zip=$3 sign=$4 signed_build=$5 work=$6 wine_run=$7 arch=$8 prefix=$9
. "$(dirname "$0")/per_user_common.sh"

unsigned() { ! osslsigncode extract-signature -in "$1" -out "$work/signature.der" >/dev/null 2>&1; }
case "$signed_build" in
  ON | on | 1 | TRUE | true | YES | yes) ;;
  *)
    rm -rf "$work/zip" && mkdir -p "$work/zip"
    (cd "$work/zip" && cmake -E tar xf "$zip")
    for file in "$ocx" "$msi" "$work/zip/OrvelBoard.ocx"; do unsigned "$file" || fail "$file is signed"; done
    echo "the ordinary build's control, zip and installer are unsigned"
    ;;
esac

rm -rf "$work"
mkdir -p "$work"
openssl req -x509 -newkey rsa:2048 -nodes -keyout "$work/key.pem" -out "$work/certificate.pem" -days 2 \
  -subj "/CN=Orvel Board test signing" -addext "extendedKeyUsage=codeSigning" 2>/dev/null
password=$(od -An -N12 -tx1 /dev/urandom | tr -d ' \n')
openssl pkcs12 -export -inkey "$work/key.pem" -in "$work/certificate.pem" -out "$work/signing.pfx" \
  -passout "pass:$password"
cp "$ocx" "$work/OrvelBoard.ocx"
cp "$msi" "$work/OrvelBoard.msi"
export ORVEL_SIGN_PFX="$work/signing.pfx"

# CASE EXPECTED: signing a copy of the control with the environment as set fails or succeeds.
try_sign() {
  cp "$ocx" "$work/attempt.ocx"
  if sh "$sign" "$work/attempt.ocx" >"$work/attempt.log" 2>&1; then result=signs; else result=fails; fi
  [ "$result" = "$2" ] || fail "$1: signing $result ($(cat "$work/attempt.log"))"
  echo "$1: signing $result"
}
ORVEL_SIGN_PASSWORD=wrong try_sign "a wrong password" fails
ORVEL_SIGN_PASSWORD=$password ORVEL_SIGN_TIMESTAMP_URL=http://127.0.0.1:9/ try_sign "an unreachable timestamp server" fails
ORVEL_SIGN_PFX="$work/missing.pfx" ORVEL_SIGN_PASSWORD=$password try_sign "a missing certificate" fails

ORVEL_SIGN_PASSWORD=$password sh "$sign" "$work/OrvelBoard.ocx" "$work/OrvelBoard.msi"
for file in OrvelBoard.ocx OrvelBoard.msi; do
  osslsigncode verify -CAfile "$work/certificate.pem" -in "$work/$file" >"$work/$file.verify" 2>&1 ||
    fail "$file does not verify: $(cat "$work/$file.verify")"
  grep -q "Signature verification: ok" "$work/$file.verify" || fail "$file: $(cat "$work/$file.verify")"
  echo "$file verifies: $(grep -E 'Subject:' "$work/$file.verify" | head -1 | tr -d '\t')"
done

fresh
step win regsvr32 /s "$work/OrvelBoard.ocx" || fail "the signed control does not register"
expect_script_works
step win regsvr32 /s /u "$work/OrvelBoard.ocx" || fail "the signed control does not unregister"
step win msiexec /i "$work/OrvelBoard.msi" /qn || fail "the signed installer does not install"
expect_script_works
step win msiexec /x "$work/OrvelBoard.msi" /qn || fail "the signed installer does not uninstall"
echo "signing test passed"
