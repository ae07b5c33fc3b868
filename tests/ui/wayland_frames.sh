#!/bin/bash
# The window on a Wayland compositor: a headless weston of our own (pixman
# renderer, no animations, shots allowed), the window on it through Qt's
# Wayland plugin, and wayland_frames holding each shot against the window's
# grab as a game is played. Needs weston and qt6-wayland.
#   wayland_frames.sh path/to/wayland_frames
set -uo pipefail
frames="$(realpath "${1:?usage: wayland_frames.sh path/to/wayland_frames}")"
for tool in weston weston-screenshooter weston-info; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed (package weston)"; exit 1; }
done
dpkg-query -W -f='${Status}' qt6-wayland 2>/dev/null | grep -q "install ok installed" \
    || { echo "FAIL: qt6-wayland is not installed"; exit 1; }

work="$(mktemp -d /tmp/korvane-wayland.XXXXXX)"
weston_pid=""
cleanup() {
    [[ -n "$weston_pid" ]] && kill "$weston_pid" 2>/dev/null && wait "$weston_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

export XDG_RUNTIME_DIR="$work" WAYLAND_DISPLAY=wayland-frames
cat >"$work/weston.ini" <<'EOF'
[shell]
panel-position=none
startup-animation=none
animation=none
close-animation=none
focus-animation=none
EOF
# Large enough for the window at scale 2; --debug lets weston-screenshooter in.
weston --backend=headless-backend.so --use-pixman --width=1920 --height=1200 --idle-time=0 \
    --config="$work/weston.ini" --socket="$WAYLAND_DISPLAY" --debug --log="$work/weston.log" \
    </dev/null >/dev/null 2>&1 &
weston_pid=$!
# Ready once its shell is there for windows to open in.
until weston-info 2>/dev/null | grep -q xdg_wm_base; do
    kill -0 "$weston_pid" 2>/dev/null || { echo "FAIL: weston did not start"; cat "$work/weston.log"; exit 1; }
    sleep 0.1
done

rm -f "wayland_frames-x${QT_SCALE_FACTOR:-1}-"*.png
# Qt takes a window whose frame the compositor has not shown within 100 ms
# for hidden, and then drops the update the test waits for; on a busy
# machine a frame may take longer.
QT_QPA_PLATFORM=wayland QT_WAYLAND_FRAME_CALLBACK_TIMEOUT=2147483647 "$frames"
