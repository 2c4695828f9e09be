#!/usr/bin/env bash
# The default keys in the real program, with no key file: zem on its own X server with two
# songs, real key presses from xdotool, and what each did read from the program's widget map.
#   Z / X play and stop the active deck, Q / A play the left / right fader channel, 1 / 0 put
#   the crossfader at its left / right end, F9 cues channel 0 in the headphones, Ctrl+NumPad 3
#   stores cue 3 and NumPad 3 jumps back to it.
#   zem_e2e_keys.sh BIN_DIR RUN_DIR E2E_AUDIO
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd) || exit 2
# shellcheck source=e2e_session.sh
. "$here/e2e_session.sh"

start_zem
[ ! -e "$home/zemkeys.cfg" ] || fail "a key file is there before the first run"
playing='^Pause' stopped='^Play'

# Deck commands go to the active deck: a click on deck 1's title bar (skinned) or its jog
# wheel makes it that.
read -r cx cy _ _ <<<"$(centre "$deck1" caption)"
[ -n "${cx:-}" ] || read -r cx cy _ _ <<<"$(centre "$deck1" jogWheel)"
[ -n "${cx:-}" ] || fail "no title bar or jog wheel of deck 1 in the map"
xdotool mousemove --sync "$cx" "$cy" click 1 || fail "xdotool click"
sleep 0.3
expect_state "$deck1" playButton "$stopped" "at start"
xdotool key z
expect_state "$deck1" playButton "$playing" "Z"
xdotool key x
expect_state "$deck1" playButton "$stopped" "X"

xdotool key q
expect_state "$deck0" playButton "$playing" "Q"
xdotool key a
expect_state "$deck1" playButton "$playing" "A"

xdotool key 1
expect_state "$board" crossfader '^0$' "1"
xdotool key 0
expect_state "$board" crossfader '^200$' "0"

before=$(state "$board" headphones)
xdotool key F9
for _ in $(seq 30); do
  [ "$(state "$board" headphones)" != "$before" ] && break
  sleep 0.1
done
after=$(state "$board" headphones)
[ "$after" != "$before" ] || fail "F9: the headphone selection stayed \"$before\""
[[ "$before|$after" == *"Channel 0"* ]] || fail "F9: channel 0 is in neither \"$before\" nor \"$after\""

# Deck 1 plays; its readout says "Time: M:SS.ss". Store cue 3, let it play on, jump back.
seconds() { # the readout's time in seconds
  state "$deck1" readout | sed -n 's/.*Time: \([0-9]*\):\([0-9.]*\).*/\1 \2/p' |
    awk '{ printf "%.2f", $1 * 60 + $2 }'
}
# The keypad's digits need Num Lock, as on a real keyboard (without it NumPad 3 is Page Down).
xdotool key Num_Lock
sleep 0.2
xdotool key ctrl+KP_3
stored=$(seconds)
sleep 2.5
later=$(seconds)
xdotool key KP_3
sleep 0.6
jumped=$(seconds)
awk -v s="$stored" -v l="$later" -v j="$jumped" 'BEGIN { exit !(l > s + 1.5 && j < l - 1.0) }' ||
  fail "NumPad 3: stored at $stored s, $later s later, $jumped s after the jump"

stop_zem
[ -f "$home/zemkeys.cfg" ] || fail "no key file written at exit"
echo "PASS"
