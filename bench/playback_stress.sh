#!/usr/bin/env bash
# Playback under stress: several decks playing pitched songs, each with the 10-band equalizer and
# an effect, at "Buffer size" 100 and a 6 KiB block, through the WAV-file device in real time,
# while a CPU-bound process keeps another core busy. zem-render counts the frames each deck's
# card had to play as silence; any at all fails the run.
#   bench/playback_stress.sh --build DIR [--seconds S] [--decks N] [--no-load]
set -euo pipefail
build="" seconds=600 decks=4 load=1
while [ $# -gt 0 ]; do
  case "$1" in
    --build) build="$2"; shift ;;
    --seconds) seconds="$2"; shift ;;
    --decks) decks="$2"; shift ;;
    --no-load) load=0 ;;
    *) echo "usage: $0 --build DIR [--seconds S] [--decks N] [--no-load]" >&2; exit 2 ;;
  esac
  shift
done
[ -n "$build" ] || { echo "$0: --build DIR is required" >&2; exit 2; }
build=$(cd "$build" && pwd)
[ "$decks" -ge 1 ] && [ "$decks" -le 4 ] || { echo "$0: 1 to 4 decks" >&2; exit 2; }

home=$(mktemp -d /tmp/zem-stress-XXXXXX)
hog=""
cleanup() {
  [ -n "$hog" ] && kill "$hog" 2>/dev/null || true
  rm -rf "$home"
}
trap cleanup EXIT
"$(dirname "$0")/../scripts/wav-card-home" "$build/run" "$home" "$home/stress.wav"
printf '[Playback]\nBuffer size=100\nBlock size (k)=6\n' >"$home/ZEM.ini"

# Long enough for the fastest deck (+8 %) to play the whole run.
song_seconds=$(awk -v s="$seconds" 'BEGIN { printf "%d", s * 1.1 + 5 }')
"$build/bin/zem-demo-songs" "$home" "$song_seconds" >/dev/null
# Two decoders: WAV through libsndfile, MP3 through mpg123 when an MP3 could be written.
songs=("$home/demo-120bpm.wav" "$home/demo-126bpm.wav" "$home/demo-132bpm.wav" "$home/demo-120bpm.wav")
[ -f "$home/demo-126bpm.mp3" ] && songs[1]="$home/demo-126bpm.mp3"
[ -f "$home/demo-132bpm.mp3" ] && songs[3]="$home/demo-132bpm.mp3"
pitches=(+4 -3 +8 -6)
effects=(ZEM_DSP_Echo.so ZEM_DSP_FilterSweep.so ZEM_DSP_Echo.so ZEM_DSP_FilterSweep.so)
args=(--home "$home" --quiet --strict --seconds "$seconds")
for ((i = 0; i < decks; i++)); do
  args+=(--pitch "$i=${pitches[$i]}" --eq-bands "$i=10" --dsp "$i=${effects[$i]}" --volume "$i=100")
done
for ((i = 0; i < decks; i++)); do args+=("${songs[$i]}"); done

if [ "$load" = 1 ]; then
  # A CPU-bound process of its own, at the same priority as the mix.
  bash -c 'while :; do :; done' &
  hog=$!
fi
status=0
report=$(cd "$home" && ZEM_PROFILE="$home/ZEM.ini" "$build/bin/zem-render" "${args[@]}" 2>&1) || status=$?
echo "| decks | seconds of audio | busy core | underrun frames per deck | result |"
echo "|---:|---:|---|---|---|"
per_deck=$(echo "$report" | sed -n 's/^deck \([0-9]*\): \([0-9]*\) underrun frames$/\2/p' | paste -sd ' ' -)
result=$([ "$status" = 0 ] && echo "no underrun" || echo "FAILED")
echo "| $decks | $seconds | $([ "$load" = 1 ] && echo yes || echo no) | ${per_deck:-none reported} | $result |"
if [ "$status" != 0 ]; then
  echo "$report" >&2
fi
exit "$status"
