# What every end-to-end session shares, sourced by its script: the tools, a work folder with a
# program directory whose only card is the WAV-file writer, an X server of its own, zem started
# on two generated songs with its widget map, and zem ended with SIGTERM.
#   Sourced with the script's arguments BIN_DIR RUN_DIR E2E_AUDIO, and here set to this folder.
# Exits 77 (skipped) without Xvfb or xdotool. ZEM_E2E_KEEP=1 keeps the work folder.
if [ $# -ne 3 ]; then
  echo "usage: $0 BIN_DIR RUN_DIR E2E_AUDIO" >&2
  exit 2
fi
# zem runs in the work folder; the paths must not depend on where this was started.
bin=$(cd "$1" && pwd) && run=$(cd "$2" && pwd) || exit 2
audio=$(cd "$(dirname "$3")" && pwd)/$(basename "$3") || exit 2
for tool in Xvfb xdotool; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIP: $tool is not installed (Debian packages xvfb and xdotool)"
    exit 77
  fi
done

work=$(mktemp -d "${TMPDIR:-/tmp}/zem-e2e-XXXXXX")
xvfb_pid="" zem_pid="" keep=${ZEM_E2E_KEEP:-0} display=""
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
# Not a first run: no first-run question; and no splash or tip of the day over the windows.
printf '[Startup]\nVersion=1.80.04\nShow splash=0\n[Tip]\nStartUp=1\n' >"$work/profile.ini"

mkdir -p "$work/songs"
"$audio" tone "$work/songs/a440.wav" 440 20 && "$audio" tone "$work/songs/b660.wav" 660 20 ||
  fail "cannot write the songs"

# A display of our own: Xvfb picks a free number and writes it to fd 3.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.err" &
xvfb_pid=$!
for _ in $(seq 100); do
  display=$(tr -dc 0-9 <"$work/display")
  [ -n "$display" ] && break
  sleep 0.1
done
[ -n "$display" ] || { cat "$work/xvfb.err"; fail "Xvfb did not start"; }
export DISPLAY=:$display

deck0='^Ch 0: ' deck1='^Ch 1: ' board='^ZEM - Main Mixer Board$'

# window-pattern control: the centre of that control on the screen, and its size.
centre() {
  awk -F'\t' -v w="$1" -v n="$2" '$1 ~ w && $2 == n { split($3, g, " ")
    printf "%d %d %d %d\n", g[1] + g[3] / 2, g[2] + g[4] / 2, g[3], g[4]; exit }' \
    "$work/map.txt" 2>/dev/null
}
# window-pattern control: what it shows (a slider's value, a text, a list's selection).
state() {
  awk -F'\t' -v w="$1" -v n="$2" '$1 ~ w && $2 == n { print $4; exit }' "$work/map.txt" 2>/dev/null
}
# Waits up to 3 s for the state of a control to match an extended regular expression.
expect_state() { # window-pattern control regex what
  local s=""
  for _ in $(seq 30); do
    s=$(state "$1" "$2")
    [[ $s =~ $3 ]] && return 0
    sleep 0.1
  done
  fail "$4: $2 shows \"$s\", not /$3/"
}

# What zem is started on, and when it counts as started: by default the two songs, once the map
# names deck 1's play button and the crossfader. A session may set both before start_zem.
zem_files=(songs/a440.wav songs/b660.wav)
zem_ready() { [ -n "$(centre "$deck1" playButton)" ] && [ -n "$(centre "$board" crossfader)" ]; }

# Starts zem on its files; returns once it is ready, with the main window focused.
start_zem() {
  # For sanitizer builds: libdbus, reached through Qt, leaks a buffer that is not ours to free.
  # The suppression is for zem only, so leaks of our own still fail the run.
  local zem_lsan=${LSAN_OPTIONS:+$LSAN_OPTIONS:}suppressions=$here/lsan.supp
  t0=$EPOCHREALTIME
  (cd "$work" && exec env HOME="$work/user" XDG_RUNTIME_DIR="$work/runtime" \
    XDG_CONFIG_HOME="$work/user/.config" ZEM_PROFILE="$work/profile.ini" QT_QPA_PLATFORM=xcb \
    LSAN_OPTIONS="$zem_lsan" "$bin/zem" --home "$home" --widget-map "$work/map.txt" \
    "${zem_files[@]}" >"$work/zem.out" 2>"$work/zem.err") &
  zem_pid=$!
  for _ in $(seq 300); do
    zem_ready && break
    kill -0 "$zem_pid" 2>/dev/null || fail "zem ended during start-up"
    sleep 0.1
  done
  zem_ready || fail "zem was not ready: its windows are not in the map"
  local main
  main=$(timeout 10 xdotool search --sync --name '^ZEM$' | head -n 1)
  [ -n "$main" ] || fail "no window named ZEM"
  # Without a window manager there may be nobody to honour an activation; focus it directly.
  timeout 5 xdotool windowactivate --sync "$main" 2>/dev/null ||
    xdotool windowfocus --sync "$main" || fail "cannot focus the main window"
  sleep 0.5
}

# Ends zem as the session would end (SIGTERM); it must leave with status 0 within 30 s.
stop_zem() {
  kill -TERM "$zem_pid" 2>/dev/null || fail "zem was gone before the end of the session"
  local status=""
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
}
