# Shared by the shell tests that start programs in the background: stopping
# them, and failing with the end of their logs. The sourcing script adds the
# pids it starts to started=() and the logs worth showing to logs=().
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

fail() {
  echo "[${SECONDS}s] FAIL: $*" >&2
  local log
  for log in "${logs[@]}"; do
    [ -s "$log" ] && { echo "--- $(basename "$log")" >&2; tail -n 40 "$log" >&2; }
  done
  exit 1
}
