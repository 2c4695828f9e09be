#!/usr/bin/env bash
# One user session with the real program: zem on its own X server (Xvfb), its mix going to the
# WAV-file device in real time, driven with xdotool's real mouse and keyboard input. Deck 0 is
# started with its play button, deck 1 from the Mixer menu, then the crossfader is dragged to
# its right end and the program is ended with SIGTERM. The recording must show silence, then
# 440 Hz (song A) alone, then both songs, then 660 Hz (song B) alone.
#   zem_e2e.sh BIN_DIR RUN_DIR E2E_AUDIO
# Exits 77 (skipped) without Xvfb or xdotool. ZEM_E2E_KEEP=1 keeps the work folder.
set -uo pipefail
if [ $# -ne 3 ]; then
  echo "usage: $0 BIN_DIR RUN_DIR E2E_AUDIO" >&2
  exit 2
fi
for tool in Xvfb xdotool; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIP: $tool is not installed (Debian packages xvfb and xdotool)"
    exit 77
  fi
done
here=$(cd "$(dirname "$0")" && pwd) || exit 2
# zem runs in the work folder; the paths must not depend on where this was started.
bin=$(cd "$1" && pwd) && run=$(cd "$2" && pwd) || exit 2
audio=$(cd "$(dirname "$3")" && pwd)/$(basename "$3") || exit 2

work=$(mktemp -d "${TMPDIR:-/tmp}/zem-e2e-XXXXXX")
xvfb_pid="" zem_pid="" keep=${ZEM_E2E_KEEP:-0}
cleanup() {
  [ -n "$zem_pid" ] && kill -KILL "$zem_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  if [ "$keep" = 1 ]; then
    echo "work folder kept: $work"
  else
    rm -rf "$work"
  fi
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*"
  if [ -n "$xvfb_pid" ] && command -v import >/dev/null; then
    DISPLAY=:$display import -window root "$work/screen.png" 2>/dev/null &&
      echo "screenshot: $work/screen.png" && keep=1
  fi
  echo "--- zem stderr"
  cat "$work/zem.err" 2>/dev/null
  echo "--- widget map"
  cat "$work/map.txt" 2>/dev/null
  exit 1
}

# Seconds since zem was started.
since_start() { awk -v now="$EPOCHREALTIME" -v t0="$t0" 'BEGIN { printf "%.3f", now - t0 }'; }

# The program directory: its only card is the WAV-file writer, so the test neither opens nor
# depends on the machine's sound cards.
home=$work/home
mkdir -p "$home" "$work/user" "$work/runtime"
chmod 700 "$work/runtime"
"$here/../../scripts/wav-card-home" "$run" "$home" "$work/mix.wav" ||
  fail "cannot lay out the program directory"
# Not a first run: no first-run question.
printf '[Startup]\nVersion=1.80.04\n' >"$work/profile.ini"

mkdir -p "$work/songs"
"$audio" tone "$work/songs/a440.wav" 440 20 && "$audio" tone "$work/songs/b660.wav" 660 20 ||
  fail "cannot write the songs"

# A display of our own: Xvfb picks a free number and writes it to fd 3.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.err" &
xvfb_pid=$!
display=""
for _ in $(seq 100); do
  display=$(tr -dc 0-9 <"$work/display")
  [ -n "$display" ] && break
  sleep 0.1
done
[ -n "$display" ] || { cat "$work/xvfb.err"; fail "Xvfb did not start"; }
export DISPLAY=:$display

# For sanitizer builds: libdbus, reached through Qt, leaks a buffer that is not ours to free.
# The suppression is for zem only, so leaks of our own still fail the run.
zem_lsan=${LSAN_OPTIONS:+$LSAN_OPTIONS:}suppressions=$here/lsan.supp
t0=$EPOCHREALTIME
(cd "$work" && exec env HOME="$work/user" XDG_RUNTIME_DIR="$work/runtime" \
  XDG_CONFIG_HOME="$work/user/.config" ZEM_PROFILE="$work/profile.ini" QT_QPA_PLATFORM=xcb \
  LSAN_OPTIONS="$zem_lsan" "$bin/zem" --home "$home" --widget-map "$work/map.txt" \
  songs/a440.wav songs/b660.wav >"$work/zem.out" 2>"$work/zem.err") &
zem_pid=$!

# The map is written once, some time after start-up; wait until it names what we need.
deck0='^Ch 0: ' board='^ZEM - Main Mixer Board$'
centre() { # window-pattern control: the centre of that control on the screen, and its size
  awk -F'\t' -v w="$1" -v n="$2" '$1 ~ w && $2 == n { split($3, g, " ")
    printf "%d %d %d %d\n", g[1] + g[3] / 2, g[2] + g[4] / 2, g[3], g[4]; exit }' \
    "$work/map.txt" 2>/dev/null
}
for _ in $(seq 300); do
  [ -n "$(centre "$deck0" playButton)" ] && [ -n "$(centre "$board" crossfader)" ] && break
  kill -0 "$zem_pid" 2>/dev/null || fail "zem ended during start-up"
  sleep 0.1
done
sleep 0.2 # the file is written in more than one piece
read -r play_x play_y _ _ <<<"$(centre "$deck0" playButton)"
read -r fader_x fader_y fader_w _ <<<"$(centre "$board" crossfader)"
[ -n "${play_x:-}" ] && [ -n "${fader_x:-}" ] || fail "no play button or crossfader in the map"

main=$(timeout 10 xdotool search --sync --name '^ZEM$' | head -n 1)
[ -n "$main" ] || fail "no window named ZEM"
# Without a window manager there may be nobody to honour an activation; focus it directly then.
timeout 5 xdotool windowactivate --sync "$main" 2>/dev/null || xdotool windowfocus --sync "$main" ||
  fail "cannot focus the main window"
sleep 0.5

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

kill -TERM "$zem_pid" 2>/dev/null || fail "zem was gone before the end of the session"
status=""
for _ in $(seq 300); do
  if ! kill -0 "$zem_pid" 2>/dev/null; then
    wait "$zem_pid"
    status=$?
    break
  fi
  sleep 0.1
done
[ -n "$status" ] || fail "zem did not end within 30 s of SIGTERM"
zem_pid=""
[ "$status" = 0 ] || fail "zem exited with $status after SIGTERM"
echo "zem ended after $(since_start) s"

[ -f "$work/mix.wav" ] || fail "the WAV-file device wrote no file"
"$audio" check "$work/mix.wav" "$t_click" "$t_right" "$t_fader" ||
  fail "the mix is not what was played"
echo "PASS"
