#!/usr/bin/env bash
# Starts the device simulator and TelvoMonitor against it, with a throw-away settings
# folder that already manages one KT45 on the simulator's port: the window opens on the
# device hub with that card, ready for "进入并连接". Without a display the window opens
# inside Xvfb.
set -euo pipefail
build=${1:-build}
bin="$(cd "$build/bin" && pwd)"

work=$(mktemp -d /tmp/telvo-demo.XXXXXX)
port="$work/ttyINS0"
cleanup() {
    [ -n "${sim_pid:-}" ] && kill "$sim_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

"$bin/telvo-sim" --link "$port" --format sinsbin --rate 200 > "$work/sim.out" &
sim_pid=$!
for _ in $(seq 50); do [ -e "$port" ] && break; sleep 0.1; done
[ -e "$port" ] || { echo "demo: the simulator did not start" >&2; exit 1; }

# LOCALAPPDATA is where the settings live (gcs.ini under TelvoMonitor/); XDG_DATA_HOME
# keeps the instance lock of the demo apart from a real installation.
settings="$work/TelvoMonitor"
mkdir -p "$settings"
id="6f1c2a9e-3b7d-4c55-9a0e-2d8f4b6a1c01"
cat > "$settings/gcs.ini" <<INI
[General]
managedDevices="@ByteArray([{\"alias\":\"\",\"baud\":115200,\"deviceModelId\":\"kt45\",\"id\":\"$id\",\"kind\":\"serial\",\"listenPort\":8000,\"localIp\":\"\",\"localPort\":0,\"netTransport\":\"\",\"port\":\"$port\",\"productId\":\"ins\",\"remoteIp\":\"\",\"remotePort\":0}])"
currentManagedDeviceId=$id
product=ins
port=$port
baud=115200
INI

export LOCALAPPDATA="$work"
export XDG_DATA_HOME="$work/data"
echo "demo: simulator on $port (KT45, sinsbin at 200 Hz, 115200 baud)"
echo "demo: settings in $settings/gcs.ini"
echo "demo: the hub shows the KT45 card; 进入并连接 opens its workspace and connects"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "demo: no display, running inside Xvfb"
    xvfb-run -a -s "-screen 0 1920x1080x24" "$bin/TelvoMonitor"
else
    "$bin/TelvoMonitor"
fi
