#!/usr/bin/env bash
# Seeds a Wine prefix's registry with a simulated machine in the layout the
# adapter inventory reads: three Ethernet adapters (two manual, one on DHCP)
# and one WAN miniport that the inventory must pass over. Applying a profile
# there changes only the prefix's registry. Seeding again restores the demo.
# Usage: tools/seed-demo.sh <prefix folder>
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
"$here/wine-prefix.sh" "$1"
source "$here/wine-env.sh" "$1"

class='HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Control\Class\{4d36e972-e325-11ce-bfc1-08002be10318}'
tcpip='HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Services\Tcpip\Parameters\Interfaces'
devices='HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Enum\ROOT\NET'
network='HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Control\Network\{4D36E972-E325-11CE-BFC1-08002BE10318}'

# hex(7) data of a multi-string: each entry in UTF-16LE with its terminator, then one more.
multi() {
  local out="" entry i
  for entry in "$@"; do
    for ((i = 0; i < ${#entry}; i++)); do
      out+=$(printf '%02x,00,' "'${entry:i:1}")
    done
    out+="00,00,"
  done
  printf 'hex(7):%s00,00' "$out"
}

adapter() {  # subkey, description, guid, connection name
  # The device instance lets SetupAPI find the adapter by its description.
  cat <<REG
[$devices\\$1]
"Class"="Net"
"ClassGUID"="{4d36e972-e325-11ce-bfc1-08002be10318}"
"DeviceDesc"="$2"
"Driver"="{4d36e972-e325-11ce-bfc1-08002be10318}\\\\$1"

[$class\\$1]
"DriverDesc"="$2"
"NetCfgInstanceID"="$3"

[$class\\$1\\Ndi\\Interfaces]
"LowerRange"="ethernet"
"UpperRange"="ndis5"

[$network\\$3\\Connection]
"Name"="$4"

REG
}

office='{6D3F7A10-2B4C-4E8A-9C51-1A2B3C4D5E01}'
home='{6D3F7A10-2B4C-4E8A-9C51-1A2B3C4D5E02}'
lab='{6D3F7A10-2B4C-4E8A-9C51-1A2B3C4D5E03}'
wan='{6D3F7A10-2B4C-4E8A-9C51-1A2B3C4D5E04}'

reg="$WINEPREFIX/lanvoy-demo.reg"
{
  printf '\xff\xfe'
  {
    printf 'Windows Registry Editor Version 5.00\n\n'
    # Start from a clean slate so a second seeding restores the demo.
    printf '[-%s]\n\n' "$devices"
    for k in 0000 0001 0002 0003; do printf '[-%s\\%s]\n\n' "$class" "$k"; done
    for g in "$office" "$home" "$lab" "$wan"; do printf '[-%s\\%s]\n\n[-%s\\%s]\n\n' "$tcpip" "$g" "$network" "$g"; done

    adapter 0000 'Intel(R) PRO/1000 MT Network Connection' "$office" '本地连接'
    printf '[%s\\0000]\n"NetworkAddress"="001C42A1B2C3"\n\n' "$class"
    adapter 0001 'Realtek PCIe GBE Family Controller' "$home" '本地连接 2'
    adapter 0002 'VirtualBox Host-Only Ethernet Adapter' "$lab" '实验室网络'
    # A WAN miniport: a network class entry that is not Ethernet.
    cat <<REG
[$class\\0003]
"DriverDesc"="WAN Miniport (IP)"
"NetCfgInstanceID"="$wan"

[$class\\0003\\Ndi\\Interfaces]
"LowerRange"="ndiswanip"

REG
    cat <<REG
[$tcpip\\$office]
"EnableDHCP"=dword:00000000
"IPAddress"=$(multi 192.168.1.100 192.168.1.101)
"SubnetMask"=$(multi 255.255.255.0 255.255.255.0)
"DefaultGateway"=$(multi 192.168.1.1)
"NameServer"="192.168.1.1,8.8.8.8,114.114.114.114"

[$tcpip\\$home]
"EnableDHCP"=dword:00000001
"IPAddress"=$(multi 0.0.0.0)
"SubnetMask"=$(multi 0.0.0.0)
"DefaultGateway"=$(multi)
"NameServer"=""

[$tcpip\\$lab]
"EnableDHCP"=dword:00000000
"IPAddress"=$(multi 10.0.2.15)
"SubnetMask"=$(multi 255.255.255.0)
"DefaultGateway"=$(multi)
"NameServer"="10.0.2.3"

REG
  } | sed 's/$/\r/' | iconv -f UTF-8 -t UTF-16LE
} > "$reg"

log="$WINEPREFIX/lanvoy-demo.log"
# The value read back below goes first, so that a failed import cannot pass
# on what an earlier seeding left.
wine reg delete "$tcpip\\$lab" /v NameServer /f >"$log" 2>&1 || true
wine regedit /S "$(winepath -w "$reg")" >>"$log" 2>&1 || true
wineserver -w

# regedit's exit code says nothing: read back one value of the last adapter
# the file writes, which only a complete import holds.
expected='10.0.2.3'
seen="$(wine reg query "$tcpip\\$lab" /v NameServer 2>>"$log" | tr -d '\r' || true)"
if ! grep -q "NameServer.*REG_SZ.*$expected" <<<"$seen"; then
  echo "seed-demo: the import of $reg did not take: NameServer of $lab should be $expected (log: $log); the registry says:" >&2
  echo "${seen:-<nothing>}" >&2
  exit 1
fi
wineserver -w
echo "demo machine seeded in $WINEPREFIX"
