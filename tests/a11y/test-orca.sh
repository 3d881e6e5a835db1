#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright 2026 the Printer Configuration Utility authors
#
# The program under Orca, the screen reader of Debian's desktops, as a blind
# user runs it: a private X server with a window manager (openbox: Orca
# follows window activation), session bus and accessibility bus, Orca with
# its speech going to speech-dispatcher and from there into no sound device,
# and the program under a private scheduler whose raw queue keeps the bytes
# it is sent. orcauser.py presses the keys a user would and checks what Orca
# said, which its debug log records as its speech output. When the user has
# quit, the settings job the program sent must hold the choice the user made.
#   test-orca.sh <program> <privatecups>
# Exits 77 (skipped) when a tool it needs is not installed, or when not run as
# root (the private scheduler needs root), and says which.
set -euo pipefail
program=$1
privatecups=$2
here=$(cd "$(dirname "$0")" && pwd)
# Debian's own Python, which has pyatspi and Orca; another may come first.
python=/usr/bin/python3
launcher=/usr/libexec/at-spi-bus-launcher
# Apply Settings with every list at its default but Tear Off at Short Manual.
expected_job="1b 19 01 50 02 00 00 00 10 e0 01 01 00 00"

skip() {
  echo "SKIP: $*"
  exit 77
}
for tool in Xvfb xdpyinfo xprop xdotool dbus-launch dbus-send timeout od unshare pgrep \
  openbox orca speech-dispatcher; do
  command -v "$tool" >/dev/null || skip "$tool is not installed (scripts/install-deps installs it)"
done
[ -x "$launcher" ] || skip "$launcher is not installed (at-spi2-core)"
"$python" -c 'import pyatspi' 2>/dev/null || skip "pyatspi is not installed for $python"
[ "$(id -u)" -eq 0 ] || skip "the private scheduler needs root"

# shellcheck source=../support/background.sh
source "$here/../support/background.sh"
work=$(mktemp -d "${TMPDIR:-/tmp}/pcu-orca.XXXXXX")
bus_pid=
orca_pid=
pid=
# Orca runs in a process namespace of its own, with its speech server, which
# it starts: Orca ends every other Orca of the same user that it can see (and
# so would those of tests running beside this one), and the speech server
# goes with the namespace. Orca acts on TERM once its main loop wakes, and
# may then hang in its shutdown: after 5 seconds it is killed.
stop_orca() {
  [ -n "$orca_pid" ] || return 0
  local inner
  inner=$(pgrep -P "$orca_pid" || true)
  [ -n "$inner" ] && { kill "$inner" 2>/dev/null || true; }
  for _ in $(seq 50); do
    kill -0 "$orca_pid" 2>/dev/null || break
    sleep 0.1
  done
  [ -n "$inner" ] && { kill -9 "$inner" 2>/dev/null || true; }
  kill -9 "$orca_pid" 2>/dev/null || true
  wait "$orca_pid" 2>/dev/null || true
  orca_pid=
}
# The program first, then Orca and its speech server, the window manager,
# the accessibility bus, the session bus and Xvfb.
cleanup() {
  [ -n "$pid" ] && stop "$pid"
  stop_orca
  stop_started
  [ -n "$bus_pid" ] && stop "$bus_pid"
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP

[ -x "$program" ] || fail "$program is not built"
[ -x "$privatecups" ] || fail "$privatecups is not built"

# A throwaway home and nothing of the caller's desktop session. Speech
# dispatcher plays through libao, and libao into its null device.
use_throwaway_home
unset CUPS_SERVER
mkdir -p "$HOME/.config/speech-dispatcher" "$work/orca"
echo 'AudioOutputMethod "libao"' >"$HOME/.config/speech-dispatcher/speechd.conf"
echo 'default_driver=null' >"$HOME/.libao"
# Orca loads this from its settings folder at start: its log, which is what
# is checked, is then written line by line instead of in blocks.
cat >"$work/orca/orca-customizations.py" <<'PY'
import orca.debug
orca.debug.debugFile.reconfigure(line_buffering=True)
PY

start_xvfb 1024x768x24 280

start_accessibility_bus "$launcher" 270

logs+=("$work/openbox.log")
timeout 270 openbox --sm-disable >"$work/openbox.log" 2>&1 &
started+=("$!")
for _ in $(seq 100); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  sleep 0.1
done
xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' ||
  fail "openbox did not come up"
echo "[${SECONDS}s] Xvfb on $DISPLAY with openbox, session bus and accessibility bus are up"

# Orca first: the program's bridge asks at its start which events are
# listened for, and sends only those.
unshare --pid --fork --mount-proc --kill-child -- \
  orca -d braille -u "$work/orca" --debug-file "$work/orca.log" >"$work/orca.out" 2>&1 &
orca_pid=$!
for _ in $(seq 600); do
  grep -q "SPEECH OUTPUT: 'Screen reader on.'" "$work/orca.log" 2>/dev/null && break
  kill -0 "$orca_pid" 2>/dev/null || break
  sleep 0.1
done
grep -q "SPEECH OUTPUT: 'Screen reader on.'" "$work/orca.log" 2>/dev/null ||
  fail "Orca did not say it is on"
# And the registry has taken all the events Orca listens for, which the
# program's bridge asks it for at its start.
a11y_bus=$(dbus-send --session --print-reply=literal --dest=org.a11y.Bus /org/a11y/bus \
  org.a11y.Bus.GetAddress | tr -d ' ')
listened=$(grep -c 'EVENT MANAGER: registering listener for: ' "$work/orca.log" || true)
registered() {
  dbus-send --bus="$a11y_bus" --print-reply --dest=org.a11y.atspi.Registry \
    /org/a11y/atspi/registry org.a11y.atspi.Registry.GetRegisteredEvents 2>/dev/null |
    grep -c 'string ":' || true
}
for _ in $(seq 300); do
  [ "$(registered)" -ge "$listened" ] && break
  sleep 0.1
done
[ "$(registered)" -ge "$listened" ] ||
  fail "the registry knows $(registered) of the $listened events Orca listens for"
echo "[${SECONDS}s] Orca is on, listening for $listened kinds of event"

# Qt 6.4's AT-SPI bridge holds a copy of each key event until the screen
# reader has answered for it, and never frees the copies still held when the
# program quits (here the release of the Return that answered Yes). So in a
# sanitized build the program's leaks are looked for by the other tests, not
# here; any other report counts.
logs+=("$work/program.log")
ASAN_OPTIONS="${ASAN_OPTIONS:-}${ASAN_OPTIONS:+:}detect_leaks=0" \
  QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb \
  "$privatecups" --jobs "$work/jobs" --no-dump -- timeout 200 "$program" \
  >"$work/program.log" 2>&1 &
pid=$!

"$python" "$here/orcauser.py" "$work/orca.log" || fail "orcauser.py ended with status $?"

# Exit and Yes were pressed: the program ends by itself, and the scheduler
# with it once it kept the job.
for _ in $(seq 600); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$pid" 2>/dev/null && fail "the program did not end within 60 s of Yes to the exit question"
status=0
wait "$pid" || status=$?
pid= # reaped: its pid must not be signalled
[ "$status" -eq 0 ] || fail "the program ended with status $status"
grep -qE 'ERROR: (Address|Leak)Sanitizer|runtime error:' "$work/program.log" &&
  fail "the sanitizer reported a fault"
stop_orca

kept=("$work"/jobs/job-*.bin)
[ "${#kept[@]}" -eq 1 ] && [ -f "${kept[0]}" ] || fail "not one job was kept: ${kept[*]}"
sent=$(od -An -v -tx1 "${kept[0]}" | tr -s ' \n' ' ' | sed 's/^ //; s/ $//')
[ "$sent" = "$expected_job" ] || fail "Apply Settings sent $sent, not $expected_job"
echo "[${SECONDS}s] Apply Settings sent $sent: Tear Off at Short Manual"
echo "[${SECONDS}s] PASS"
