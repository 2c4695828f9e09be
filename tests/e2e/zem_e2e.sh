#!/usr/bin/env bash
# One user session with the real program: zem on its own X server (Xvfb), its mix going to the
# WAV-file device in real time, driven with xdotool's real mouse and keyboard input. Deck 0 is
# started with its play button, deck 1 from the Mixer menu, then the crossfader is dragged to
# its right end and the program is ended with SIGTERM. The recording must show silence, then
# 440 Hz (song A) alone, then both songs, then 660 Hz (song B) alone.
#   zem_e2e.sh BIN_DIR RUN_DIR E2E_AUDIO
# Exits 77 (skipped) without Xvfb or xdotool. ZEM_E2E_KEEP=1 keeps the work folder.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd) || exit 2
# shellcheck source=e2e_session.sh
. "$here/e2e_session.sh"

start_zem
read -r play_x play_y _ _ <<<"$(centre "$deck0" playButton)"
read -r fader_x fader_y fader_w _ <<<"$(centre "$board" crossfader)"
[ -n "${play_x:-}" ] && [ -n "${fader_x:-}" ] || fail "no play button or crossfader in the map"

xdotool mousemove --sync "$play_x" "$play_y" click 1 || fail "xdotool click"
t_click=$(since_start)
sleep 3

# Mixer menu from the keyboard: it opens on its first item, "Play left fader channel"; the
# fourth is "Play right fader channel".
xdotool key alt+m && sleep 0.5 && xdotool key Down Down Down Return || fail "xdotool menu keys"
t_right=$(since_start)
sleep 3

# The thumb sits in the middle of the groove at the centre position; drag it past the right end.
xdotool mousemove --sync "$fader_x" "$fader_y" mousedown 1 || fail "xdotool mousedown"
for step in 1 2 3 4 5 6 7 8 9 10; do
  xdotool mousemove --sync $((fader_x + (fader_w / 2 + 20) * step / 10)) "$fader_y"
  sleep 0.02
done
xdotool mouseup 1 || fail "xdotool mouseup"
t_fader=$(since_start)
sleep 2.5

stop_zem

[ -f "$work/mix.wav" ] || fail "the WAV-file device wrote no file"
"$audio" check "$work/mix.wav" "$t_click" "$t_right" "$t_fader" ||
  fail "the mix is not what was played"
echo "PASS"
