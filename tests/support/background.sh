# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright 2026 the Printer Configuration Utility authors

# Shared by the shell tests that start programs in the background: a private
# X server and accessibility bus, stopping what was started, and failing with
# the end of the logs.
# The sourcing script sets $work, adds the pids it starts to started=() and
# the logs worth showing to logs=().
started=()
logs=()

# TERM first; whatever is still there after two seconds gets KILL. Waiting lets
# a server such as Xvfb remove its socket and lock file.
stop() {
  local pid=$1
  kill "$pid" 2>/dev/null || return 0
  for _ in $(seq 20); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -9 "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
}

# Everything started, the latest first.
stop_started() {
  local i
  for ((i = ${#started[@]} - 1; i >= 0; i--)); do stop "${started[i]}"; done
  started=()
}

# Ends the test as failed, saying why (unless the script has its own).
declare -F fail >/dev/null || fail() {
  echo "[${SECONDS}s] FAIL: $*" >&2
  local log
  for log in "${logs[@]}"; do
    [ -s "$log" ] && { echo "--- $(basename "$log")" >&2; tail -n 40 "$log" >&2; }
  done
  exit 1
}

# A private X server with a screen of the size $1, on a free display that the
# server picks itself, so that tests running side by side never clash. It ends
# by itself after $2 seconds, should the test be killed before its clean-up.
start_xvfb() {
  logs+=("$work/xvfb.log")
  timeout "$2" Xvfb -displayfd 3 -screen 0 "$1" -nolisten tcp -noreset 3>"$work/display" \
    >"$work/xvfb.log" 2>&1 &
  started+=("$!")
  local number=""
  for _ in $(seq 300); do
    number=$(head -n 1 "$work/display" 2>/dev/null | tr -dc 0-9)
    [ -n "$number" ] && break
    sleep 0.1
  done
  [ -n "$number" ] || fail "Xvfb did not start"
  export DISPLAY=:$number
  xdpyinfo >/dev/null 2>&1 || fail "cannot reach Xvfb on $DISPLAY"
}

# A session bus of its own, and on it the accessibility bus launcher $1, which
# starts the accessibility bus; that bus starts the registry when first asked.
# Sets bus_pid, the session bus's, for the caller to stop after everything
# else. The launcher ends by itself after $2 seconds.
start_accessibility_bus() {
  eval "$(dbus-launch --sh-syntax)"
  bus_pid=$DBUS_SESSION_BUS_PID
  logs+=("$work/atspi.log")
  timeout "$2" "$1" --launch-immediately >"$work/atspi.log" 2>&1 &
  started+=("$!")
  for _ in $(seq 100); do
    dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
      >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  fail "the accessibility bus did not come up"
}

# A throwaway home and runtime folder under $work, and nothing of the caller's
# desktop session or printer choice: no display server, session bus,
# accessibility bus or default printer of theirs is reached.
use_throwaway_home() {
  mkdir -p "$work/home" "$work/runtime"
  chmod 700 "$work/runtime"
  export HOME=$work/home XDG_RUNTIME_DIR=$work/runtime
  unset XDG_CONFIG_HOME XDG_CACHE_HOME XDG_DATA_HOME WAYLAND_DISPLAY SESSION_MANAGER \
    DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS PRINTER LPDEST NO_AT_BRIDGE
}
