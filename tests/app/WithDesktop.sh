#!/usr/bin/env bash
# Runs a program on a desktop of its own: a private X server (Xvfb) with a window manager
# (openbox), both started here and stopped by their own PIDs, whatever the program does.
set -u
program=$1
shift
for tool in Xvfb openbox xprop; do
    command -v "$tool" >/dev/null || { echo "WithDesktop: $tool is missing (./setup.sh installs it)" >&2; exit 1; }
done
scratch=$(mktemp -d)
xvfb="" wm=""
cleanup() {
    [[ -n $wm ]] && kill "$wm" 2>/dev/null && wait "$wm" 2>/dev/null
    [[ -n $xvfb ]] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null
    rm -rf "$scratch"
}
trap cleanup EXIT
# The server picks a free display and writes its number once it accepts clients.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$scratch/display" 2>"$scratch/xvfb.log" &
xvfb=$!
for _ in $(seq 100); do [[ -s $scratch/display ]] && break; sleep 0.05; done
[[ -s $scratch/display ]] || { echo "WithDesktop: Xvfb did not start" >&2; cat "$scratch/xvfb.log" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$scratch/display")"
HOME=$scratch openbox --sm-disable >"$scratch/openbox.log" 2>&1 &
wm=$!
# The window manager is up once it names itself on the root window.
for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.05
done
xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' ||
    { echo "WithDesktop: openbox did not start" >&2; cat "$scratch/openbox.log" >&2; exit 1; }
QT_QPA_PLATFORM=xcb "$program" "$@"
