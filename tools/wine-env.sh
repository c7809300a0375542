# Sourced by the other scripts: the Wine settings every run uses.
# Usage: source tools/wine-env.sh <prefix folder>
export WINEPREFIX="$(realpath -m "${1:?wine prefix folder}")"
export WINEDEBUG=-all
# No Mono or Gecko installer prompts in a bare prefix.
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64
