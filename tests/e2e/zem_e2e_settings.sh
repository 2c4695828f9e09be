#!/usr/bin/env bash
# Shaping the sound and setting up, in the real program. zem opens a 1 kHz song; deck 0 plays.
# A click on the deck's "EQ..." button opens its equalizer window, where a click on the mid
# group's kill button must take the tone down by more than 15 dB in what the WAV-file device
# recorded, and a second click must bring it back. Then the audio setup wizard, opened from the
# menu with the keyboard, is walked through for one stereo card: its assignments must reach the
# sound library's settings file, and the deck must still be heard.
#   zem_e2e_settings.sh BIN_DIR RUN_DIR E2E_AUDIO
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd) || exit 2
# shellcheck source=e2e_session.sh
. "$here/e2e_session.sh"

"$audio" tone "$work/songs/k1000.wav" 1000 40 || fail "cannot write the song"
# Ten bands, so that the mid group is there; and a card set up otherwise than the wizard will.
printf '[Equalizer]\nUse three channel EQ=0\n' >>"$work/profile.ini"
ini=$home/INI/Soundrail.ini
sed -i 's/^SFX=1$/SFX=0/' "$ini" && echo 'Headphones=1' >>"$ini" || fail "cannot edit $ini"
zem_files=(songs/k1000.wav)
zem_ready() { [ -n "$(centre "$deck0" equalizerButton)" ] && [ -n "$(centre "$board" crossfader)" ]; }
start_zem

click() { # window-pattern control what
  local x y
  read -r x y _ _ <<<"$(centre "$1" "$2")"
  [ -n "${x:-}" ] || fail "$3: no $2 in the map"
  # Not --sync: it waits for the pointer to move, which it does not when it is there already.
  xdotool mousemove "$x" "$y" && sleep 0.2 && xdotool click 1 || fail "xdotool click"
}

# Waits up to 3 s for a control to be in the map.
await() { # window-pattern control
  for _ in $(seq 30); do
    [ -n "$(centre "$1" "$2")" ] && return 0
    sleep 0.1
  done
  return 1
}

click "$deck0" playButton "play"
expect_state "$deck0" playButton '^Pause' "play"
t_play=$(since_start)
sleep 2
click "$deck0" equalizerButton "EQ..."
eq='Equalizer$'
await "$eq" groupKill1103
sleep 1
t_kill=$(since_start)
click "$eq" groupKill1103 "mid kill"
expect_state "$eq" groupKill1103 'checked$' "mid kill"
expect_state "$eq" kill1092 'checked$' "mid kill: band 4"
sleep 3
t_unkill=$(since_start)
click "$eq" groupKill1103 "mid kill again"
expect_state "$eq" kill1092 '[^d]$' "mid kill again: band 4"
sleep 3
t_back=$(since_start)

# Settings, Audio settings, Audio setup wizard: one card, speakers only, the first card.
xdotool key alt+s && sleep 0.3 && xdotool key u && sleep 0.3 && xdotool key a ||
  fail "xdotool key"
wizard='^Audio setup wizard'
await "$wizard" nextButton || fail "the wizard did not open"
click "$wizard" nextButton "next (welcome)"
await "$wizard" cardCount1
click "$wizard" cardCount1 "one card"
click "$wizard" nextButton "next (card count)"
await "$wizard" speakerLayout
click "$wizard" speakerLayout "speaker layout"
click "$wizard" nextButton "next (layout)"
await "$wizard" firstCard
read -r lx ly _ lh <<<"$(centre "$wizard" firstCard)"
[ -n "${lx:-}" ] || fail "no first card list"
# The first entry, then the one whose name starts with W.
xdotool mousemove "$lx" $((ly - lh / 2 + 10)) && sleep 0.2 && xdotool click 1 && xdotool key w ||
  fail "xdotool"
expect_state "$wizard" firstCard '^WAV file$' "card choice"
click "$wizard" nextButton "next (cards)"
await "$wizard" finishButton
click "$wizard" finishButton "finish"
for _ in $(seq 30); do
  [ -z "$(centre "$wizard" finishButton)" ] && break
  sleep 0.1
done
[ -z "$(centre "$wizard" finishButton)" ] || fail "the wizard did not close"
sleep 2
t_end=$(since_start)
stop_zem

grep -q '^Master=1' "$ini" || fail "the master is not on sub-channel 1: $(cat "$ini")"
grep -q '^SFX=1' "$ini" || fail "the effects are not on sub-channel 1: $(cat "$ini")"
grep -q '^Headphones=0' "$ini" || fail "the headphones are still assigned: $(cat "$ini")"
grep -Eq '^Channels=1{256}' "$ini" || fail "the decks are not on sub-channel 1: $(cat "$ini")"

level() { "$audio" level "$work/mix.wav" 1000 "$1" "$2" || fail "cannot measure $work/mix.wav"; }
before=$(level "$(awk -v t="$t_play" 'BEGIN { print t + 1 }')" "$t_kill")
killed=$(level "$(awk -v t="$t_kill" 'BEGIN { print t + 1 }')" "$t_unkill")
back=$(level "$(awk -v t="$t_unkill" 'BEGIN { print t + 1 }')" "$t_back")
after=$(level "$(awk -v t="$t_end" 'BEGIN { print t - 1.5 }')" "$t_end")
# The tone is 12 dB below full scale and the board's strip starts 30 dB down.
echo "1 kHz: $before dB, mids killed $killed dB, back $back dB, after the wizard $after dB"
awk -v b="$before" -v k="$killed" -v r="$back" -v a="$after" \
  'BEGIN { exit !(b > -60 && k < b - 15 && r > b - 3 && a > b - 6) }' ||
  fail "the equalizer or the wizard did not do what they should to the sound"
echo "PASS"
