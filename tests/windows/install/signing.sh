#!/bin/sh
# Signing a release with a self-signed certificate made for the run: the
# control and the installer sign and verify, a wrong password or an
# unreachable timestamp server fails the signing, and the signed control still
# registers and serves a script in a fresh prefix. Unless the build signs, its
# zip and installer carry no signature.
# Usage: signing.sh OCX MSI ZIP SIGN_SCRIPT BUILD_SIGNS WORK WINE_RUN ARCH PREFIX
set -e
ocx=$1 msi=$2 zip=$3 sign=$4 build_signs=$5 work=$6 wine_run=$7 arch=$8 prefix=$9
. "$(dirname "$0")/common.sh"
rm -rf "$work"
mkdir -p "$work/zip"

if [ "$build_signs" != ON ]; then
  (cd "$work/zip" && cmake -E tar xf "$zip")
  for file in "$msi" "$work/zip/OrvelBoard.ocx"; do
    if osslsigncode extract-signature -in "$file" -out "$work/sig" >/dev/null 2>&1; then fail "$file is signed"; fi
  done
fi

openssl req -x509 -newkey rsa:2048 -nodes -keyout "$work/key.pem" -out "$work/certificate.pem" -days 2 \
  -subj "/CN=Orvel Board test signing" -addext "extendedKeyUsage=codeSigning" 2>/dev/null
password=$(od -An -N12 -tx1 /dev/urandom | tr -d ' \n')
export ORVEL_SIGN_PFX="$work/signing.pfx"
openssl pkcs12 -export -inkey "$work/key.pem" -in "$work/certificate.pem" -out "$ORVEL_SIGN_PFX" \
  -passout "pass:$password"
cp "$ocx" "$msi" "$work"
ocx="$work/$(basename "$ocx")" msi="$work/$(basename "$msi")"

if ORVEL_SIGN_PASSWORD=wrong sh "$sign" "$ocx" 2>/dev/null; then fail "a wrong password signed"; fi
if ORVEL_SIGN_PASSWORD=$password ORVEL_SIGN_TIMESTAMP_URL=http://127.0.0.1:9/ sh "$sign" "$ocx" 2>/dev/null; then
  fail "signing went on without its timestamp"
fi
ORVEL_SIGN_PASSWORD=$password sh "$sign" "$ocx" "$msi"
for file in "$ocx" "$msi"; do
  osslsigncode verify -CAfile "$work/certificate.pem" -in "$file" >"$file.verify" 2>&1 &&
    grep -q "Signature verification: ok" "$file.verify" || fail "$file does not verify: $(cat "$file.verify")"
done

fresh
step win regsvr32 /s "$ocx"
expect_script_works
step win regsvr32 /s /u "$ocx"
echo "signing test passed"
