#!/usr/bin/env bash
# The Auto DJ in the real program: zem opens a playlist of three 8-second songs (440, 660 and
# 880 Hz) from its command line, with fades of 2 seconds starting 3 seconds before each song's
# end. Ctrl+A in the playlist turns the Auto DJ on; then nobody touches anything for 17 seconds.
# The WAV-file device's recording must hold the songs in the playlist's order, each crossfade
# as long as its setting, and no silence from the first song on.
#   zem_e2e_autodj.sh BIN_DIR RUN_DIR E2E_AUDIO
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd) || exit 2
# shellcheck source=e2e_session.sh
. "$here/e2e_session.sh"

for hz in 440 660 880; do
  "$audio" tone "$work/songs/p$hz.wav" "$hz" 8 || fail "cannot write the songs"
done
# A list without header, its paths relative to its folder.
printf 'p440.wav\np660.wav\np880.wav\n' >"$work/songs/set.zpl"
cat >>"$work/profile.ini" <<'INI'
[Playlist]
Default start fading=3
Default fade for=2
Prompt on error=0
Autosave=0
INI

playlist='^set\.zpl'
zem_files=(songs/set.zpl)
zem_ready() { [ -n "$(centre "$playlist" list)" ] && [ -n "$(centre "$board" crossfader)" ]; }
start_zem

# The keys are the playlist's while its list has the focus.
read -r lx ly _ _ <<<"$(centre "$playlist" list)"
xdotool mousemove --sync "$lx" "$ly" click 1 || fail "xdotool click"
sleep 0.3
xdotool key ctrl+a || fail "xdotool key"
expect_state "$playlist" autoDj 'checked$' "Ctrl+A"
sleep 17
stop_zem

[ -f "$work/mix.wav" ] || fail "the WAV-file device wrote no file"
"$audio" sequence "$work/mix.wav" 2 440 660 880 || fail "the Auto DJ's mix is not the playlist"
echo "PASS"
