#!/usr/bin/env bash
# Builds and starts qr7710-config with the device emulator behind COM1, on a fresh Debian 12
# machine as well as on a prepared one. The display is the caller's (DISPLAY, also under Xvfb).
#
#   scripts/run-app.sh            build into ./build, start the emulator and the window
#
# An existing Config/COM1 that this script did not make (a link to a real adapter such as
# /dev/ttyUSB0) is left alone and used instead of the emulator.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="$ROOT/build"
BIN="$BUILD/bin"
CONFIG="$BIN/Config"
PORT_LINK="$CONFIG/COM1"
PORT_FILE="$CONFIG/QR7710-4_CONFPORT.qr7"
MARK="$CONFIG/.COM1-emulated"   # says that Config/COM1 is the emulator's

build() {
  if [ ! -f "$BUILD/build.ninja" ]; then
    cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQR_TESTS=OFF -DQR_BENCH=OFF
  fi
  cmake --build "$BUILD" --target qr7710-config qrmux
}

EMULATOR_PID=""
stop_emulator() {
  if [ -n "$EMULATOR_PID" ]; then
    kill "$EMULATOR_PID" 2>/dev/null || true
    wait "$EMULATOR_PID" 2>/dev/null || true
    EMULATOR_PID=""
  fi
  if [ -f "$MARK" ]; then
    rm -f "$MARK"
    if [ -L "$PORT_LINK" ]; then rm -f "$PORT_LINK"; fi
  fi
}

start_emulator() {
  # A COM1 left behind by an earlier run of this script is ours to replace.
  if [ -f "$MARK" ]; then
    rm -f "$PORT_LINK" "$MARK"
  fi
  if [ -e "$PORT_LINK" ] || [ -L "$PORT_LINK" ]; then
    echo "Config/COM1 is already mapped to $(readlink "$PORT_LINK" || echo 'a file'); not starting the emulator."
    return
  fi
  EMULATOR_LOG="$BUILD/emulator.log"
  "$BIN/qrmux" emulate --link "$PORT_LINK" >"$EMULATOR_LOG" 2>"$EMULATOR_LOG.err" &
  EMULATOR_PID=$!
  touch "$MARK"
  # The emulator prints the pseudo-terminal's path on its first line once it is ready.
  local pty="" tries=0
  while [ -z "$pty" ]; do
    if ! kill -0 "$EMULATOR_PID" 2>/dev/null || [ $tries -ge 100 ]; then
      echo "The device emulator did not start:" >&2
      cat "$EMULATOR_LOG.err" >&2
      exit 1
    fi
    sleep 0.1
    tries=$((tries + 1))
    pty="$(head -n 1 "$EMULATOR_LOG")"
  done
  echo "Device emulator on $pty (Config/COM1)."
}

"$ROOT/scripts/install-deps.sh"
build
mkdir -p "$CONFIG"
trap stop_emulator EXIT
trap "exit 130" INT TERM HUP
start_emulator
# Without a port file the window starts on port 0; point it at COM1.
if [ ! -e "$PORT_FILE" ]; then
  printf '\001\000' >"$PORT_FILE"
fi
"$BIN/qr7710-config" "$@"
