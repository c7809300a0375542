#!/usr/bin/env bash
# Runs the end-to-end driver and turns the screenshots it saved (.bmp) into
# PNG files. Usage: run-e2e.sh [--as-taken] <screenshot folder> <command...>
# Screenshots of a screen without a window manager are trimmed of the black
# around the windows; with --as-taken (windows on a Wine virtual desktop, cut
# to their frames already) they are kept as they are.
# The command's exit code is passed on; a screenshot that cannot be converted
# fails the run.
set -uo pipefail
trim=(-trim +repage)
if [ "${1:-}" = --as-taken ]; then
  trim=()
  shift
fi
shots="$1"
shift
command -v convert >/dev/null || { echo "run-e2e: ImageMagick is missing (Debian: imagemagick)" >&2; exit 1; }
mkdir -p "$shots"
rm -f "$shots"/*.bmp "$shots"/*.png
# Earlier tests may have run Wine in another locale, which unmaps the fonts.
"$(dirname "$0")/../../tools/wine-prefix.sh" "${WINEPREFIX:?the prefix to run in}" || exit 1

"$@"
status=$?

for bmp in "$shots"/*.bmp; do
  [ -e "$bmp" ] || continue
  if convert "$bmp" "${trim[@]}" -strip "${bmp%.bmp}.png"; then
    rm -f "$bmp"
  else
    echo "run-e2e: could not convert $bmp" >&2
    status=1
  fi
done
exit $status
