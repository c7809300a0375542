#!/usr/bin/env bash
# Signs Windows programs and packages (.exe, .msi) in place with osslsigncode:
# SHA-256, the certificate chain of a PKCS#12 file, and an RFC 3161 time
# stamp, so the signature stays valid after the certificate expires.
# Usage: tools/sign.sh <file>...
#   LANVOY_SIGN_PKCS12     the PKCS#12 file (.p12/.pfx) with the key and chain
#   LANVOY_SIGN_PASSWORD   its password
#   LANVOY_SIGN_TIMESTAMP  the time-stamp server's address; empty: no time
#                          stamp (default http://timestamp.digicert.com)
# Without LANVOY_SIGN_PKCS12 this exits 3 and signs nothing.
set -euo pipefail

if [ -z "${LANVOY_SIGN_PKCS12:-}" ]; then
  echo "sign: no certificate (LANVOY_SIGN_PKCS12 is not set)" >&2
  exit 3
fi
[ -r "$LANVOY_SIGN_PKCS12" ] || { echo "sign: cannot read $LANVOY_SIGN_PKCS12" >&2; exit 1; }
command -v osslsigncode >/dev/null || { echo "sign: osslsigncode is missing (Debian: osslsigncode)" >&2; exit 1; }
timestamp="${LANVOY_SIGN_TIMESTAMP-http://timestamp.digicert.com}"

work="$(mktemp -d "${TMPDIR:-/tmp}/lanvoy-sign.XXXXXX")"
trap 'rm -rf "$work"' EXIT
# The password goes through a file, not the command line that ps shows.
umask 077
printf '%s' "${LANVOY_SIGN_PASSWORD:-}" >"$work/pass"

for file in "$@"; do
  args=(sign -pkcs12 "$LANVOY_SIGN_PKCS12" -readpass "$work/pass" -h sha256
        -n "Lanvoy" -i "https://lanvoy.net/")
  [ -n "$timestamp" ] && args+=(-ts "$timestamp")
  if ! osslsigncode "${args[@]}" -in "$file" -out "$work/signed" >"$work/log" 2>&1; then
    cat "$work/log" >&2
    echo "sign: could not sign $file" >&2
    exit 1
  fi
  # Replaced in place, keeping the file's mode.
  cat "$work/signed" >"$file"
  rm -f "$work/signed"
  echo "signed $(basename "$file")"
done
