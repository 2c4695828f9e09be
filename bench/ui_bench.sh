#!/usr/bin/env bash
# The user interface's figures on the program as it starts: start-up to the main window on the
# screen (two songs on the command line), the longest event-loop stall while four decks play and
# a fifth opens and closes, and the user-interface thread's CPU share with four deck windows
# playing. A program directory of its own with the build's plug-ins, generated songs, and an X
# server of its own (Xvfb) when there is one, else Qt's offscreen platform.
#   bench/ui_bench.sh --build DIR [--runs N] [--seconds S] [--platform auto|xcb|offscreen]
#                     [--profile]
# --profile adds where the time goes: start-up phases and the event dispatch by receiver.
set -euo pipefail
build="" runs=20 seconds=10 platform=auto profile=0
while [ $# -gt 0 ]; do
  case "$1" in
    --build) build="$2"; shift ;;
    --runs) runs="$2"; shift ;;
    --seconds) seconds="$2"; shift ;;
    --platform) platform="$2"; shift ;;
    --profile) profile=1 ;;
    *) echo "usage: $0 --build DIR [--runs N] [--seconds S] [--platform auto|xcb|offscreen]" \
         "[--profile]" >&2; exit 2 ;;
  esac
  shift
done
[ -n "$build" ] || { echo "$0: --build DIR is required" >&2; exit 2; }
build=$(cd "$build" && pwd)
bench="$build/bin/zem-ui-bench"
[ -x "$bench" ] || { echo "$0: $bench is not built (configure with -DZEM_BUILD_BENCH=ON)" >&2; exit 2; }

home=$(mktemp -d /tmp/zem-ui-XXXXXX)
xvfb=""
cleanup() {
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$home"
}
trap cleanup EXIT

# The program directory: every plug-in of the build, the skins, empty settings, the default
# background.
mkdir -p "$home/Plugins" "$home/INI" "$home/ZEC" "$home/SFX" "$home/songs"
ln -s "$build"/run/Plugins/*.so "$home/Plugins/"
[ -f "$build/run/QXLogo.bmp" ] && cp "$build/run/QXLogo.bmp" "$home/"
[ -d "$build/run/skins" ] && ln -s "$build/run/skins" "$home/skins"
# The settings of this run only, not the user's.
export ZEM_PROFILE="$home/ZEM.ini"
# Long enough for every deck to play through the longest run.
"$build/bin/zem-demo-songs" "$home/songs" $((seconds * 2 + 10)) >/dev/null
demo=("$home"/songs/demo-*.wav)
# Five decks, each with a song and settings file of its own.
songs=()
for i in 0 1 2 3 4; do
  cp "${demo[$((i % ${#demo[@]}))]}" "$home/songs/deck$i.wav"
  songs+=("$home/songs/deck$i.wav")
done

if [ "$platform" = auto ]; then
  platform=offscreen
  command -v Xvfb >/dev/null && platform=xcb
fi
case "$platform" in
  xcb)
    command -v Xvfb >/dev/null || { echo "$0: Xvfb is not installed" >&2; exit 2; }
    display=""
    for n in $(seq 91 140); do
      if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then display=$n; break; fi
    done
    [ -n "$display" ] || { echo "$0: no free X display number" >&2; exit 2; }
    Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >"$home/xvfb.log" 2>&1 &
    xvfb=$!
    for _ in $(seq 1 50); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done
    [ -e "/tmp/.X11-unix/X$display" ] || { echo "$0: Xvfb did not start" >&2; exit 1; }
    export DISPLAY=":$display" QT_QPA_PLATFORM=xcb
    where="Xvfb 1280x1024x24"
    ;;
  offscreen)
    export QT_QPA_PLATFORM=offscreen
    where="Qt offscreen platform"
    ;;
  *) echo "$0: unknown platform $platform" >&2; exit 2 ;;
esac

# The bench must start in the program directory: the engine fixes its folders from there.
status=0
run() {
  local log="$home/$1.log"
  shift
  if ! (cd "$home" && "$bench" "$@") >"$log" 2>"$log.err"; then
    echo "zem-ui-bench $1 failed:" >&2
    cat "$log" >&2
    grep -v '^ALSA lib' "$log.err" >&2 || true
    status=1
  fi
}
run startup startup --runs "$runs" "${songs[0]}" "${songs[1]}"
run stall stall --seconds "$seconds" --cycles 5 "${songs[@]}"
run cpu cpu --seconds "$seconds" "${songs[@]:0:4}"
run host host --seconds "$seconds" "${songs[@]:0:4}"

# The real executable as a cross-check: its picture option grabs the main window after a fixed
# settle delay, which is taken off again.
settle_ms=700
real=()
if [ -x "$build/bin/zem" ]; then
  for i in 1 2 3 4 5 6; do
    begin=$(date +%s%N)
    (cd "$home" && "$build/bin/zem" --home . --screenshot "$home/shot.png" \
      "${songs[0]}" "${songs[1]}") >/dev/null 2>&1 || { real=(); break; }
    end=$(date +%s%N)
    # The first start of the directory answers the first-run question; not a sample.
    [ "$i" = 1 ] || real+=($(((end - begin) / 1000000 - settle_ms)))
  done
fi

result() { # name in the log -> "median worst"
  sed -n "s/^RESULT $1 [^ ]* \([0-9.]*\) \([0-9.]*\)$/\1 \2/p" "$home/$2.log" 2>/dev/null
}
row() { # figure, unit, target, "median worst"
  local figure="$1" unit="$2" target="$3" values="$4"
  if [ -z "$values" ]; then
    echo "| $figure | - | - | $target $unit | FAILED |"
    return
  fi
  read -r median worst <<<"$values"
  local verdict
  verdict=$(awk -v w="$worst" -v t="$target" 'BEGIN { print (w <= t) ? "pass" : "FAIL" }')
  [ "$verdict" = pass ] || status=1
  echo "| $figure | $median $unit | $worst $unit | $target $unit | $verdict |"
}

echo "User interface on $where, $(nproc) cores; the worst sample must meet the target."
echo "| figure | median | worst | target | result |"
echo "|---|---:|---:|---:|---|"
row "start-up to the main window exposed, 2 songs ($runs fresh processes)" ms 1000 \
  "$(result startup startup)"
row "longest UI stall, 4 decks playing, a 5th opened and closed (per cycle, 5 cycles)" ms 50 \
  "$(result stall stall)"
row "UI thread CPU, 4 deck windows playing (per second, ${seconds} s)" % 2 "$(result ui_cpu cpu)"
# A plug-in's host call: the target is the median (one call may meet a busy interface thread).
if values=$(result host_call host) && [ -n "$values" ]; then
  read -r median worst <<<"$values"
  verdict=$(awk -v m="$median" 'BEGIN { print (m <= 200) ? "pass" : "FAIL" }')
  [ "$verdict" = pass ] || status=1
  echo "| host call from a plug-in thread, there and back, 4 decks playing | $median us |" \
    "$worst us | 200 us (median) | $verdict |"
else
  echo "| host call from a plug-in thread, there and back, 4 decks playing | - | - | 200 us | FAILED |"
fi
row "progress event lateness, 4 decks playing (callback's position less the trigger)" ms 38 \
  "$(result progress_late host)"
if [ ${#real[@]} -gt 0 ]; then
  sorted=($(printf '%s\n' "${real[@]}" | sort -n))
  n=${#sorted[@]}
  echo "| (zem --screenshot, wall time less the ${settle_ms} ms settle, $n runs) |" \
    "${sorted[$((n / 2))]} ms | ${sorted[$((n - 1))]} ms | 1000 ms | for reference |"
fi
echo
sed -n '/^start-up phases/,/^RESULT/p' "$home/startup.log" | grep -v '^RESULT' || true
grep -E '^(cycle|longest|open:)' "$home/stall.log" || true
grep -E '^user-interface thread' "$home/cpu.log" || true
grep -E '^host calls' "$home/host.log" || true

if [ "$profile" = 1 ]; then
  echo
  run startup-profile startup --runs "$runs" --profile "${songs[0]}" "${songs[1]}"
  sed -n '/^start-up profile/,/^RESULT/p' "$home/startup-profile.log" | grep -v '^RESULT' || true
  run stall-profile stall --seconds "$seconds" --cycles 5 --profile "${songs[@]}"
  echo "While a fifth deck opens and closes:"
  sed -n '/^event dispatch/,/^cycle/p' "$home/stall-profile.log" | grep -v '^cycle' || true
  run cpu-profile cpu --seconds "$seconds" --profile "${songs[@]:0:4}"
  echo "Four decks playing:"
  sed -n '/^event dispatch/,/^user-interface/p' "$home/cpu-profile.log" |
    grep -v '^user-interface' || true
fi
exit "$status"
