#!/usr/bin/env bash
# Packs a staged release into its packages, the checksums and the
# package-manager manifests:
#   <out>/lanvoy-<version>-win64.zip     portable: the staged files in "Lanvoy"
#   <out>/lanvoy-<version>-setup.exe     the installer (NSIS)
#   <out>/lanvoy-<version>-win64.msi     the Windows Installer package
#   <out>/SHA256SUMS
#   <out>/manifests/                     winget and Scoop manifests
#   <out>/signatures/                    when signed: each signature detached
#                                        (lanvoy.exe, lanvoy-service.exe,
#                                        uninstall.exe, uninstall-tidy.exe,
#                                        setup, MSI)
# Usage: tools/package.sh <version> <stage folder> <out folder> <time, seconds since 1970>
# The stage folder holds lanvoy.exe, Lanvoy使用手册.chm, lanvoy.cfg,
# readme.txt and lanvoy.ico, and lanvoy-service.exe once it is built (the
# setup program and the MSI install it; a portable copy runs without it);
# every file takes the given time, so the same stage gives the same packages.
# With LANVOY_SIGN_PKCS12 (see tools/sign.sh) lanvoy.exe, the service, the
# uninstaller and its tidy-up program, the setup program and the MSI are signed, and each signature
# is kept detached in <out>/signatures; with LANVOY_SIGNATURES=<such a
# folder> instead, those signatures are attached to the rebuilt files, which
# gives the released bytes again; with neither they are unsigned, and this
# says so.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/.." && pwd)"
version="$1" stage="$(realpath "$2")" out="$(realpath -m "$3")" epoch="$4"
manual="Lanvoy使用手册.chm"
files=(lanvoy.exe "$manual" lanvoy.cfg readme.txt)
for f in "${files[@]}" lanvoy.ico; do
  [ -s "$stage/$f" ] || { echo "package: $stage/$f is missing" >&2; exit 1; }
done
mkdir -p "$out"

signing=0
if [ -n "${LANVOY_SIGN_PKCS12:-}" ]; then
  signing=1
  tsa="${LANVOY_SIGN_TIMESTAMP-http://timestamp.digicert.com}"
  echo "== signing with $LANVOY_SIGN_PKCS12 (time stamps: ${tsa:-none})"
  rm -rf "$out/signatures"
  export LANVOY_SIGNATURES_OUT="$out/signatures"
elif [ -n "${LANVOY_SIGNATURES:-}" ]; then
  signing=1
  LANVOY_SIGNATURES="$(realpath "$LANVOY_SIGNATURES")"
  export LANVOY_SIGNATURES
  echo "== attaching the signatures in $LANVOY_SIGNATURES"
fi
if [ "$signing" = 1 ]; then
  "$here/sign.sh" "$stage/lanvoy.exe"
  if [ -f "$stage/lanvoy-service.exe" ]; then "$here/sign.sh" "$stage/lanvoy-service.exe"; fi
else
  echo "== no certificate (LANVOY_SIGN_PKCS12 is not set): the packages are unsigned"
fi
touch -d "@$epoch" "$stage"/*

zip="lanvoy-$version-win64.zip"
echo "== $zip"
work="$(mktemp -d "${TMPDIR:-/tmp}/lanvoy-package.XXXXXX")"
trap 'rm -rf "$work"' EXIT
# The files in a fixed order, each with the given time and nothing else of
# the file system's (tar writers add access and change times); the manual's
# Chinese name is marked as UTF-8, which unpackers honour.
rm -f "$out/$zip"
/usr/bin/python3 - "$out/$zip" "$epoch" "$stage" "${files[@]}" <<'PY'
import sys, time, zipfile
out, epoch, stage, names = sys.argv[1], int(sys.argv[2]), sys.argv[3], sys.argv[4:]
stamp = time.gmtime(epoch)[:6]
with zipfile.ZipFile(out, "w") as z:
    for name in names:
        entry = zipfile.ZipInfo("Lanvoy/" + name, stamp)
        entry.compress_type = zipfile.ZIP_DEFLATED
        entry.external_attr = 0o100644 << 16
        with open(f"{stage}/{name}", "rb") as f:
            z.writestr(entry, f.read(), compresslevel=9)
PY
listed="$(unzip -Z1 "$out/$zip" | sort)"
expected="$(printf 'Lanvoy/%s\n' "${files[@]}" | sort)"
if [ "$listed" != "$expected" ]; then
  echo "package: the zip holds" >&2
  echo "$listed" >&2
  exit 1
fi

setup="lanvoy-$version-setup.exe"
echo "== $setup"
# What removes the uninstaller's own file after it has ended; no time stamp
# and no base address drawn from its path, so it is the same wherever built.
tidy="$work/uninstall-tidy.exe"
x86_64-w64-mingw32-gcc -municode -O2 -s -Wl,--no-insert-timestamp -Wl,--disable-auto-image-base \
  -ffile-prefix-map="$root=." -o "$tidy" "$root/installer/uninstall-tidy.c"
sign_define=()
if [ "$signing" = 1 ]; then
  "$here/sign.sh" "$tidy"
  sign_define=("-DSIGN=$here/sign.sh")
fi
makensis -V2 -DVERSION="$version" -DSTAGE="$stage" -DOUTFILE="$out/$setup" -DTIDY="$tidy" "${sign_define[@]}" \
  "$root/installer/lanvoy.nsi" >"$work/makensis.log" 2>&1 \
  || { cat "$work/makensis.log" >&2; exit 1; }

msi="lanvoy-$version-win64.msi"
echo "== $msi"
"$here/make-msi.sh" "$version" "$stage" "$out/$msi" "$epoch"
[ "$signing" = 1 ] && "$here/sign.sh" "$out/$msi"

(cd "$out" && sha256sum "$zip" "$setup" "$msi" >SHA256SUMS)

echo "== manifests"
/usr/bin/python3 "$here/manifests.py" "$version" "$out" "$out/manifests"
