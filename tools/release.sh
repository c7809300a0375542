#!/usr/bin/env bash
# Builds the release packages from a fresh clone of the committed sources
# (HEAD), in a build folder of their own:
#   build/release/lanvoy-<version>-win64.zip   portable: program, manual,
#                                              configuration, readme
#   build/release/lanvoy-<version>-setup.exe   the installer (NSIS)
# The version is the program's own, from its version resource.
# Usage: tools/release.sh [commit, default HEAD]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
commit="$(git -C "$root" rev-parse --verify "${1:-HEAD}^{commit}")"
"$root/tools/install-deps.sh"

out="$root/build/release"
work="$out/work"
rm -rf "$out"
mkdir -p "$work"

echo "== sources: a fresh clone at $commit"
git clone --quiet --no-local --no-checkout "$root" "$work/src"
git -C "$work/src" checkout --quiet --detach "$commit"
src="$work/src"

version="$(sed -n 's/^ *VALUE "ProductVersion", *"\([0-9.]*\)".*/\1/p' "$src/res/lanvoy.rc")"
if ! [[ "$version" =~ ^[0-9]+\.[0-9]+\.[0-9]+$ ]]; then
  echo "release: no version of the form x.y.z in res/lanvoy.rc (found '$version')" >&2
  exit 1
fi
echo "== version $version"

echo "== build"
cmake -S "$src" -B "$work/build" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$src/cmake/mingw-w64-x86_64.cmake" >"$work/configure.log"
cmake --build "$work/build" -j "${LANVOY_JOBS:-2}" --target lanvoy manual >"$work/build.log" \
  || { tail -n 30 "$work/build.log" >&2; exit 1; }

bin="$work/build/src/app"
manual="Lanvoy使用手册.chm"
for f in lanvoy.exe "$manual"; do
  [ -s "$bin/$f" ] || { echo "release: the build left no $bin/$f" >&2; exit 1; }
done

# What both packages hold.
stage="$work/Lanvoy"
mkdir -p "$stage"
x86_64-w64-mingw32-strip -o "$stage/lanvoy.exe" "$bin/lanvoy.exe"
cp "$bin/$manual" "$stage/"
cp "$src/res/lanvoy.cfg" "$stage/lanvoy.cfg"
# Notepad on older Windows wants the byte-order mark and CR LF.
{ printf '\xef\xbb\xbf'; sed "s/@VERSION@/$version/g; s/\$/\r/" "$src/installer/readme.txt"; } >"$stage/readme.txt"
stamp="$(git -C "$src" log -1 --format=%cd --date=format:'%Y-%m-%d %H:%M:%S')"

zip="$out/lanvoy-$version-win64.zip"
echo "== $(basename "$zip")"
# CMake's zip marks the manual's Chinese name as UTF-8, which unpackers
# honour; every entry takes the commit's time, so a commit gives one zip.
(cd "$work" && cmake -E tar cf "$zip" --format=zip "--mtime=$stamp" Lanvoy)

setup="$out/lanvoy-$version-setup.exe"
echo "== $(basename "$setup")"
cp "$src/res/art/lanvoy.ico" "$work/lanvoy.ico"
nsis_stage="$work/nsis"
mkdir -p "$nsis_stage"
cp "$stage"/* "$work/lanvoy.ico" "$nsis_stage/"
makensis -V2 -DVERSION="$version" -DSTAGE="$nsis_stage" -DOUTFILE="$setup" \
  "$src/installer/lanvoy.nsi" >"$work/makensis.log" \
  || { cat "$work/makensis.log" >&2; exit 1; }

# The zip must hold exactly the staged files.
listed="$(unzip -Z1 "$zip" | sort)"
expected="$({ echo Lanvoy/; printf 'Lanvoy/%s\n' lanvoy.exe "$manual" lanvoy.cfg readme.txt; } | sort)"
if [ "$listed" != "$expected" ]; then
  echo "release: the zip holds" >&2
  echo "$listed" >&2
  exit 1
fi

(cd "$out" && sha256sum "$(basename "$zip")" "$(basename "$setup")" >SHA256SUMS)
echo
unzip -l "$zip"
ls -l "$zip" "$setup"
echo "release $version from $commit: $out"
