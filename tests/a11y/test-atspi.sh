#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright 2026 the Printer Configuration Utility authors
#
# Works the program as a screen reader user does, from outside its process,
# through the AT-SPI accessibility bus: a private X server, session bus and
# accessibility bus, the program under them with Qt's AT-SPI bridge on, and
# screenreader.py reading and pressing through pyatspi. There is no scheduler
# (CUPS_SERVER names a socket that does not exist), so nothing can reach a
# printer. The program must end by itself, with status 0, when screenreader.py
# presses Exit and Yes.
#   test-atspi.sh <program>
# Exits 77 (skipped) when a tool it needs is not installed, and says which.
set -euo pipefail
program=$1
here=$(cd "$(dirname "$0")" && pwd)
# Debian's own Python, which has pyatspi; another python3 may come first on PATH.
python=/usr/bin/python3
launcher=/usr/libexec/at-spi-bus-launcher

skip() {
  echo "SKIP: $* (scripts/install-deps installs it)"
  exit 77
}
for tool in Xvfb xdpyinfo dbus-launch dbus-send timeout; do
  command -v "$tool" >/dev/null || skip "$tool is not installed"
done
[ -x "$launcher" ] || skip "$launcher is not installed (at-spi2-core)"
[ -x "$python" ] || skip "$python is not installed"
"$python" -c 'import pyatspi' 2>/dev/null || skip "pyatspi is not installed for $python (python3-pyatspi)"

# shellcheck source=../support/background.sh
source "$here/../support/background.sh"
work=$(mktemp -d "${TMPDIR:-/tmp}/pcu-atspi.XXXXXX")
bus_pid=
# The program first, then the accessibility bus, the session bus and Xvfb.
cleanup() {
  stop_started
  [ -n "$bus_pid" ] && stop "$bus_pid"
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP

[ -x "$program" ] || fail "$program is not built"

# A throwaway home, no printer, and nothing of the caller's desktop session.
use_throwaway_home
export CUPS_SERVER=$work/no-scheduler.sock

start_xvfb 1024x600x24 200

start_accessibility_bus "$launcher" 200
echo "[${SECONDS}s] Xvfb on $DISPLAY, session bus and accessibility bus are up"

# The screen reader first: the program's bridge asks at its start which
# events are listened for, and sends only those.
timeout 150 "$python" "$here/screenreader.py" "$work/listening" &
reader=$!
started+=("$reader")
for _ in $(seq 300); do
  [ -e "$work/listening" ] && break
  kill -0 "$reader" 2>/dev/null || break
  sleep 0.1
done
[ -e "$work/listening" ] || fail "screenreader.py did not start listening"

# Qt's AT-SPI bridge is on from the start, as when a screen reader runs.
logs+=("$work/program.log")
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb timeout 180 "$program" \
  >"$work/program.log" 2>&1 &
pid=$!
started+=("$pid")

status=0
wait "$reader" || status=$?
started=("${started[@]:0:2}" "$pid") # the reader is reaped: its pid must not be signalled again
[ "$status" -eq 0 ] || fail "screenreader.py ended with status $status"

# Exit and Yes were pressed through the bus: the program ends by itself.
for _ in $(seq 300); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$pid" 2>/dev/null && fail "the program did not end within 30 s of Yes to the exit question"
status=0
wait "$pid" || status=$?
started=("${started[@]:0:2}") # the program is reaped too; Xvfb and the launcher are left
[ "$status" -eq 0 ] || fail "the program ended with status $status after Yes to the exit question"
grep -qE 'ERROR: (Address|Leak)Sanitizer|runtime error:' "$work/program.log" &&
  fail "the sanitizer reported a fault"
echo "[${SECONDS}s] The program ended with status 0"
echo "[${SECONDS}s] PASS"
