# Sourced by the other scripts: the Wine settings every run uses.
# Usage: source tools/wine-env.sh <prefix folder>
export WINEPREFIX="$(realpath -m "${1:?wine prefix folder}")"
export WINEDEBUG=-all
# No Mono or Gecko installer prompts in a bare prefix.
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64

# Whether a wineserver of this prefix runs: it works in a folder named after
# the prefix's device and inode. A program joins a running server and the
# desktop it made on its display (or on none), so whoever changes display
# waits for the server to end first ("wineserver -w").
wine_server_running() {
  local dir pid
  [ -d "$WINEPREFIX" ] || return 1
  dir="$(printf 'server-%x-%x' $(stat -c '%d %i' "$WINEPREFIX"))"
  for pid in $(pgrep -u "$(id -u)" '^wineserver' || true); do
    [ "$(basename "$(readlink "/proc/$pid/cwd" 2>/dev/null)")" = "$dir" ] && return 0
  done
  return 1
}
