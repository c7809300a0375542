#!/usr/bin/env bash
# Builds the release from a fresh clone of the committed sources (HEAD), in a
# build folder of its own, into build/release:
#   lanvoy-<version>-win64.zip     portable: program, manual, configuration, readme
#   lanvoy-<version>-setup.exe     the installer (NSIS)
#   lanvoy-<version>-win64.msi     the Windows Installer package
#   SHA256SUMS, manifests/         checksums; winget and Scoop manifests
#   signatures/                    when signed: each signature, detached
#   tool-versions.txt              the tools that built it
# The version is the CMake project's. Every time stamp is the commit's, so a
# commit gives the same files wherever it is built.
# Signing: see tools/sign.sh (LANVOY_SIGN_PKCS12, LANVOY_SIGN_PASSWORD,
# LANVOY_SIGN_TIMESTAMP); LANVOY_SIGNATURES=<a release's signatures/> instead
# attaches the published signatures, which gives the released files byte for
# byte; download addresses: LANVOY_DOWNLOAD_BASE.
#
# Usage: tools/release.sh [commit, default HEAD]
#        tools/release.sh --check-reproducible [commit]
#          builds the commit twice, unsigned, in two fresh clones and build
#          folders (build/release-check/one and two) and compares the SHA-256
#          of every file they made; exits 1 when any differs. The second
#          build runs in another time zone, locale and umask, with a clock a
#          day ahead (faketime), so that neither a date nor the host's
#          settings can slip into the files unseen.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
check=0
if [ "${1:-}" = --check-reproducible ]; then
  check=1
  shift
fi
into=""
if [ "${1:-}" = --build-into ]; then
  # The second build of the check, in its shifted environment (below).
  into="$2"
  shift 2
fi
commit="$(git -C "$root" rev-parse --verify "${1:-HEAD}^{commit}")"
[ -n "$into" ] || "$root/tools/install-deps.sh"

# The tools that built a release, for anyone who wants to rebuild it.
tool_versions() {
  # Asked without a file, some tools end with an error after saying who they are.
  set +e +o pipefail
  LC_ALL=C
  echo "# The tools that built this release (Debian packages, then each tool's own word)."
  dpkg-query -W -f '${Package} ${Version}\n' cmake g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix \
    binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev nsis wixl msitools fp-utils osslsigncode python3 \
    python3-yaml python3-jsonschema zip unzip 2>/dev/null | sort
  x86_64-w64-mingw32-g++-posix --version | head -n1
  echo "makensis $(makensis -VERSION)"
  echo "wixl $(wixl --version)"
  chmcmd 2>&1 | head -n1
  osslsigncode --version 2>&1 | head -n1
  cmake --version | head -n1
  python3 --version
}

# build_release <output folder>: the packages of $commit in <output folder>,
# the clone, the build and the staged files in <output folder>/work.
build_release() {
  local out="$1" work src build bin stage version epoch
  work="$out/work"
  rm -rf "$out"
  mkdir -p "$work"

  echo "== sources: a fresh clone at $commit"
  git clone --quiet --no-local --no-checkout "$root" "$work/src"
  git -C "$work/src" checkout --quiet --detach "$commit"
  src="$work/src"
  build="$work/build"
  # The commit's time: the PE time stamps (linker, strip), the manual's
  # compile times, the files in the packages.
  epoch="$(git -C "$src" log -1 --format=%ct)"
  export SOURCE_DATE_EPOCH="$epoch"

  echo "== build"
  # Paths of this clone and build stay out of the program.
  local maps="-ffile-prefix-map=$src=src -ffile-prefix-map=$build=build"
  cmake -S "$src" -B "$build" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$src/cmake/mingw-w64-x86_64.cmake" \
    "-DCMAKE_C_FLAGS=$maps" "-DCMAKE_CXX_FLAGS=$maps" >"$work/configure.log"
  version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")"
  if ! [[ "$version" =~ ^[0-9]+\.[0-9]+\.[0-9]+$ ]]; then
    echo "release: the CMake project version is not of the form x.y.z (found '$version')" >&2
    exit 1
  fi
  echo "== version $version, time $(date -u -d "@$epoch" '+%Y-%m-%d %H:%M:%S UTC')"
  # The service goes into the installers once its sources are there.
  local targets=(lanvoy manual)
  if grep -qs 'add_executable(lanvoy-service' "$src/src/service/CMakeLists.txt"; then
    targets+=(lanvoy-service)
  fi
  cmake --build "$build" -j "${LANVOY_JOBS:-2}" --target "${targets[@]}" >"$work/build.log" \
    || { tail -n 30 "$work/build.log" >&2; exit 1; }

  bin="$build/src/app"
  for f in lanvoy.exe "Lanvoy使用手册.chm"; do
    [ -s "$bin/$f" ] || { echo "release: the build left no $bin/$f" >&2; exit 1; }
  done
  stage="$work/stage"
  mkdir -p "$stage"
  x86_64-w64-mingw32-strip -o "$stage/lanvoy.exe" "$bin/lanvoy.exe"
  if [ -f "$build/src/service/lanvoy-service.exe" ]; then
    x86_64-w64-mingw32-strip -o "$stage/lanvoy-service.exe" "$build/src/service/lanvoy-service.exe"
  fi
  cp "$bin/Lanvoy使用手册.chm" "$src/res/lanvoy.cfg" "$src/res/art/lanvoy.ico" "$stage/"
  # Notepad on older Windows wants the byte-order mark and CR LF.
  { printf '\xef\xbb\xbf'; sed "s/@VERSION@/$version/g; s/\$/\r/" "$src/installer/readme.txt"; } >"$stage/readme.txt"

  "$src/tools/package.sh" "$version" "$stage" "$out" "$epoch"
  (tool_versions) >"$out/tool-versions.txt"
  echo "release $version from $commit: $out"
}

if [ -n "$into" ]; then
  build_release "$into"
  exit 0
fi

if [ "$check" = 0 ]; then
  build_release "$root/build/release"
  echo
  cat "$root/build/release/SHA256SUMS"
  exit 0
fi

# Reproducibility: the unsigned files of two separate builds.
unset LANVOY_SIGN_PKCS12
checks="$root/build/release-check"
build_release "$checks/one"
# Another time zone (UTC+5:45), locale and umask, and tomorrow's clock.
command -v faketime >/dev/null || { echo "release: faketime is missing (Debian: faketime)" >&2; exit 1; }
echo "== the second build: TZ=Asia/Kathmandu, LC_ALL=zh_CN.UTF-8, umask 027, the clock a day ahead"
(
  umask 027
  TZ=Asia/Kathmandu LC_ALL=zh_CN.UTF-8 LANG=zh_CN.UTF-8 \
    faketime -f '+1d' "$root/tools/release.sh" --build-into "$checks/two" "$commit"
)
# Every file either build made: the packages, the checksums, the manifests
# and the staged program, manual, configuration and readme.
list() {
  (cd "$1" && find . -path ./work -prune -o -type f -print && find ./work/stage -type f) | sed 's|^\./||' | LC_ALL=C sort
}
echo
echo "== SHA-256 of every file, build one against build two"
status=0
if [ "$(list "$checks/one")" != "$(list "$checks/two")" ]; then
  echo "the two builds made different sets of files:"
  diff <(list "$checks/one") <(list "$checks/two") || true
  status=1
fi
same=0
while read -r f; do
  a="$(sha256sum "$checks/one/$f" | cut -d' ' -f1)"
  b="$(sha256sum "$checks/two/$f" 2>/dev/null | cut -d' ' -f1)"
  if [ "$a" = "$b" ]; then
    printf 'same       %s  %s\n' "$a" "$f"
    same=$((same + 1))
  else
    printf 'DIFFERENT  %s  %s\n           %s\n' "$a" "$f" "${b:-(missing)}"
    status=1
  fi
done < <(list "$checks/one")
if [ "$status" = 0 ]; then
  echo "reproducible: all $same files are the same in both builds"
else
  echo "NOT reproducible: see the files above" >&2
fi
exit "$status"
