#!/usr/bin/env bash
# Signs Windows programs and packages (.exe, .msi) in place with osslsigncode:
# SHA-256, the certificate chain of a PKCS#12 file, and an RFC 3161 time
# stamp, so the signature stays valid after the certificate expires. Or puts
# published signatures back on files rebuilt from the same commit.
# Usage: tools/sign.sh [--as <name>] <file>...
#   --as <name>            the name a signature is kept under (default: the
#                          file's own; the uninstaller is signed as a
#                          temporary file inside makensis)
#   LANVOY_SIGN_PKCS12     the PKCS#12 file (.p12/.pfx) with the key and chain
#   LANVOY_SIGN_PASSWORD   its password
#   LANVOY_SIGN_TIMESTAMP  the time-stamp server's address; empty: no time
#                          stamp (default http://timestamp.digicert.com)
#   LANVOY_SIGNATURES_OUT  a folder: each signature is also kept there,
#                          detached, as <name>.p7 (DER PKCS#7)
#   LANVOY_SIGNATURES      without a certificate: a folder of such detached
#                          signatures; each is attached to its file instead,
#                          and must verify on those bytes
#   LANVOY_SIGN_CAFILE     the CAs it must verify against (default: the
#                          system's, /etc/ssl/certs/ca-certificates.crt)
# With neither LANVOY_SIGN_PKCS12 nor LANVOY_SIGNATURES this exits 3 and
# signs nothing.
set -euo pipefail

as=""
if [ "${1:-}" = --as ]; then
  as="$2"
  shift 2
fi
command -v osslsigncode >/dev/null || { echo "sign: osslsigncode is missing (Debian: osslsigncode)" >&2; exit 1; }
if [ -n "${LANVOY_SIGN_PKCS12:-}" ]; then
  mode=sign
  [ -r "$LANVOY_SIGN_PKCS12" ] || { echo "sign: cannot read $LANVOY_SIGN_PKCS12" >&2; exit 1; }
elif [ -n "${LANVOY_SIGNATURES:-}" ]; then
  mode=attach
else
  echo "sign: no certificate (LANVOY_SIGN_PKCS12 is not set) and no signatures (LANVOY_SIGNATURES)" >&2
  exit 3
fi
timestamp="${LANVOY_SIGN_TIMESTAMP-http://timestamp.digicert.com}"
cafile="${LANVOY_SIGN_CAFILE:-/etc/ssl/certs/ca-certificates.crt}"

work="$(mktemp -d "${TMPDIR:-/tmp}/lanvoy-sign.XXXXXX")"
trap 'rm -rf "$work"' EXIT
# The password goes through a file, not the command line that ps shows.
umask 077
printf '%s' "${LANVOY_SIGN_PASSWORD:-}" >"$work/pass"

for file in "$@"; do
  name="${as:-$(basename "$file")}"
  if [ "$mode" = sign ]; then
    args=(sign -pkcs12 "$LANVOY_SIGN_PKCS12" -readpass "$work/pass" -h sha256
          -n "Lanvoy" -i "https://lanvoy.net/")
    [ -n "$timestamp" ] && args+=(-ts "$timestamp")
  else
    signature="$LANVOY_SIGNATURES/$name.p7"
    [ -r "$signature" ] || { echo "sign: no signature $signature" >&2; exit 1; }
    args=(attach-signature -sigin "$signature" -CAfile "$cafile" -TSA-CAfile "$cafile")
  fi
  if ! osslsigncode "${args[@]}" -in "$file" -out "$work/signed" >"$work/log" 2>&1; then
    cat "$work/log" >&2
    echo "sign: could not $mode $file" >&2
    exit 1
  fi
  if [ "$mode" = sign ] && [ -n "${LANVOY_SIGNATURES_OUT:-}" ]; then
    mkdir -p -m 755 "$LANVOY_SIGNATURES_OUT"
    osslsigncode extract-signature -in "$work/signed" -out "$LANVOY_SIGNATURES_OUT/$name.p7" >"$work/log" 2>&1 \
      || { cat "$work/log" >&2; echo "sign: could not detach the signature of $file" >&2; exit 1; }
    chmod 644 "$LANVOY_SIGNATURES_OUT/$name.p7"
  fi
  # Replaced in place, keeping the file's mode.
  cat "$work/signed" >"$file"
  rm -f "$work/signed"
  [ "$mode" = sign ] && echo "signed $name" || echo "attached the signature of $name"
done
