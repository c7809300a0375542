#!/usr/bin/env bash
# Runs the end-to-end driver and turns the screenshots it saved (.bmp) into
# trimmed PNG files. Usage: run-e2e.sh <screenshot folder> <command...>
# The command's exit code is passed on; a screenshot that cannot be converted
# fails the run.
set -uo pipefail
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
  # No window manager: the screen around the windows is plain black.
  if convert "$bmp" -trim +repage "${bmp%.bmp}.png"; then
    rm -f "$bmp"
  else
    echo "run-e2e: could not convert $bmp" >&2
    status=1
  fi
done
exit $status
