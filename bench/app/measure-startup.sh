#!/usr/bin/env bash
# Time from launching qr7710-config to its main window being mapped, and its resident memory once
# started, over several runs. Uses the caller's DISPLAY, or a private Xvfb when there is none.
#
#   bench/app/measure-startup.sh BIN_DIR [RUNS]
set -euo pipefail

BIN_DIR="${1:?usage: measure-startup.sh BIN_DIR [RUNS]}"
RUNS="${2:-5}"
APP="$BIN_DIR/qr7710-config"
TITLE='^QR7710-4 Multiplixer 4x1 - Corvane$'

for tool in xdotool Xvfb; do
  command -v "$tool" >/dev/null || { echo "needs $tool (apt-get install xdotool xvfb)" >&2; exit 2; }
done

XVFB_PID=""
ERRORS="$(mktemp)"
cleanup() {
  rm -f "$ERRORS"
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
}
trap cleanup EXIT
if [ -z "${DISPLAY:-}" ]; then
  export DISPLAY=:97
  Xvfb "$DISPLAY" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  XVFB_PID=$!
  for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done
fi

startups=()
memories=()
for run in $(seq "$RUNS"); do
  start=$(date +%s%N)
  "$APP" >/dev/null 2>"$ERRORS" &
  pid=$!
  until xdotool search --onlyvisible --pid "$pid" --name "$TITLE" >/dev/null 2>&1; do
    kill -0 "$pid" 2>/dev/null || { echo "qr7710-config ended early:" >&2; cat "$ERRORS" >&2; exit 1; }
    sleep 0.01
  done
  shown=$(date +%s%N)
  sleep 1  # settled: fonts, pictures and the first clock tick
  rss_kb=$(awk '/^VmRSS:/ {print $2}' "/proc/$pid/status")
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  startups+=($(( (shown - start) / 1000000 )))
  memories+=($(( rss_kb / 1024 )))
  echo "run $run: window shown after ${startups[-1]} ms, resident ${memories[-1]} MB"
  sleep 0.5  # let the X server drop the ended client before the next one connects
done

median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
echo "median: window shown after $(median "${startups[@]}") ms (goal < 500), resident $(median "${memories[@]}") MB (goal < 80)"
