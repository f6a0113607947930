#!/bin/sh
# Signs release files in place with Authenticode, using the certificate the
# release engineer supplies through the environment:
#   ORVEL_SIGN_PFX            the certificate and its private key (PKCS#12)
#   ORVEL_SIGN_PASSWORD       its password
#   ORVEL_SIGN_TIMESTAMP_URL  an RFC 3161 timestamp server (optional), so the
#                             signature outlives the certificate
# Usage: sign.sh FILE...
set -e
[ -n "$ORVEL_SIGN_PFX" ] || {
  echo "sign.sh: set ORVEL_SIGN_PFX (and ORVEL_SIGN_PASSWORD) to sign" >&2
  exit 1
}
[ -r "$ORVEL_SIGN_PFX" ] || {
  echo "sign.sh: cannot read $ORVEL_SIGN_PFX" >&2
  exit 1
}
for file in "$@"; do
  rm -f "$file.signed"
  # The password goes through a pipe, not the command line other users can see.
  printf '%s' "${ORVEL_SIGN_PASSWORD:-}" |
    osslsigncode sign -pkcs12 "$ORVEL_SIGN_PFX" -readpass - -h sha256 -n "Orvel Board" \
      ${ORVEL_SIGN_TIMESTAMP_URL:+-ts "$ORVEL_SIGN_TIMESTAMP_URL"} -in "$file" -out "$file.signed" >/dev/null
  mv "$file.signed" "$file"
  echo "signed $file"
done
