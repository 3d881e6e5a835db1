# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright 2026 the Printer Configuration Utility authors

# Shared by the tests that run the Windows programs under Wine: a private X
# server, a fresh Wine prefix, the programs copied into it, and waits for
# windows, messages and jobs, each bounded and polled, never a fixed sleep.
# Sourced by bash scripts, which get their folder $work from work_folder or
# under_private_scheduler.

# shellcheck source=../support/background.sh
source "$(dirname "${BASH_SOURCE[0]}")/../support/background.sh"

# A fresh folder for the test, removed with everything it started at the end.
work_folder() {
  work=$(mktemp -d "${TMPDIR:-/tmp}/pcu-wine.XXXXXX")
  trap 'stop_all; rm -rf "$work"' EXIT
}

# Runs the script $2 (with the arguments after it) again, under a private
# scheduler whose raw default queue keeps the jobs (it needs root), and ends
# with its status. In that second run it returns, with $work set.
under_private_scheduler() {
  local linux=$1
  shift
  if [ -n "${PCU_WINE_WORK:-}" ]; then
    work=$PCU_WINE_WORK
    trap stop_all EXIT
    return 0
  fi
  [ "$(id -u)" -eq 0 ] || { echo "SKIP: the private scheduler needs root"; exit 77; }
  work=$(mktemp -d "${TMPDIR:-/tmp}/pcu-wine.XXXXXX")
  local status=0
  PCU_WINE_WORK=$work "$linux/bin/privatecups" --no-dump --jobs "$work/jobs" -- bash "$@" ||
    status=$?
  rm -rf "$work"
  exit "$status"
}

# Prints "SKIP: why" and ends the test as skipped when a tool is missing.
need() {
  local tool
  for tool in "$@"; do
    command -v "$tool" >/dev/null 2>&1 || { echo "SKIP: $tool is not installed"; exit 77; }
  done
}

# The Windows build given to CTest, or a skip that says why there is none.
need_windows_build() {
  if [ -z "$1" ]; then
    echo "SKIP: no Windows build to test: there is no Qt for MinGW (set QT_MINGW_PREFIX," \
         "as .ci/run does when ../shared/qt6-mingw exists; scripts/build-qt-mingw builds one)"
    exit 77
  fi
  [ -f "$1/bin/tr7400config.exe" ] || fail "$1/bin/tr7400config.exe is not built"
}

# Wine's programs, then everything started.
stop_all() {
  [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ] && timeout 30 wineserver -k 2>/dev/null
  stop_started
}

# The X server the Windows programs show their windows on.
start_wine_display() {
  start_xvfb 1024x768x24 900
}

# A Wine prefix of the test's own, made now, so that Wine takes the printers
# of the scheduler named by CUPS_SERVER as the machine's printers.
fresh_prefix() {
  export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEARCH=win64
  # No Mono or Gecko installer: nothing here needs them.
  export WINEDLLOVERRIDES="mscoree,mshtml="
  timeout 600 wineboot -i >"$work/wineboot.log" 2>&1 || fail "wineboot failed"
  echo "[${SECONDS}s] Fresh Wine prefix in $WINEPREFIX"
}

# The programs and their bitmaps in C:\TR7400, as an installation has them.
install_programs() {
  local folder=$WINEPREFIX/drive_c/TR7400
  mkdir -p "$folder"
  cp "$1"/bin/*.exe "$1"/bin/*.bmp "$folder/"
  echo "$folder"
}

# The first visible window whose whole title is $1, waited for up to $2 seconds.
wait_window() {
  local window="" tries=$(($2 * 10))
  for _ in $(seq "$tries"); do
    window=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1 || true)
    [ -n "$window" ] && break
    sleep 0.1
  done
  echo "$window"
}

# Keys as a person types them: the modifier pressed first and let go last.
chord() {
  xdotool windowfocus --sync "$1"
  xdotool keydown "$2" keydown "$3" keyup "$3" keyup "$2"
}

# The capture backend's folder of the private scheduler named by CUPS_SERVER.
capture_folder() {
  echo "$(dirname "$(dirname "$CUPS_SERVER")")/capture"
}

# Waits until the backend has kept job $1 (the scheduler numbers them from 1).
wait_job() {
  local file
  file=$(capture_folder)/job-$1.bin
  for _ in $(seq 600); do
    [ -f "$file" ] && return 0
    sleep 0.1
  done
  fail "job $1 did not reach the printer within 60 s"
}

job_hex() { od -An -v -tx1 "$(capture_folder)/job-$1.bin" | tr -s ' \n' ' ' | sed 's/^ //; s/ $//'; }
job_title() { cat "$(capture_folder)/job-$1.title"; }

# Pixels that differ between two pictures (0 when they are the same).
differing() { compare -metric AE "$1" "$2" null: 2>&1 >/dev/null || true; }

# The Apply Settings button (128 x 26 at 594,164 of the window at $X,$Y) as
# the screen shows it, into the file $1.
apply_button_shot() {
  import -window root -crop "128x26+$((X + 594))+$((Y + 164))" +repage "$1" 2>/dev/null
}

# Moves the pointer over the window's background and then to the point $1,$2,
# again and again, until Apply Settings shows the picture $3: a window just
# mapped may miss the first movements, and a highlight follows only a
# movement over the background.
apply_button_shows() {
  local pixels=unknown step
  for step in $(seq 100); do
    xdotool mousemove $((X + 650 + step % 3)) $((Y + 100)) mousemove $(($1 + step % 3)) $(($2 + step % 2))
    apply_button_shot "$work/button.png" && pixels=$(differing "$work/button.png" "$3")
    [ "$pixels" = 0 ] && return 0
    sleep 0.1
  done
  echo "$pixels pixels differ"
  return 1
}

# Answers the printer-ready question that $1 brought up with OK.
confirm() {
  local question
  question=$(wait_window "Printer Configuration Utility" 60)
  [ -n "$question" ] || fail "$1 brought up no printer-ready question within 60 s"
  xdotool windowfocus --sync "$question" key Return
}

# Ctrl+X and Yes on the window $1; the program, process $2, must then end
# with status 0.
quit_program() {
  local question status=0
  chord "$1" ctrl x
  question=$(wait_window "Printer Configuration Utility" 60)
  [ -n "$question" ] || fail "Ctrl+X brought up no exit question"
  xdotool windowfocus --sync "$question" key Return
  for _ in $(seq 300); do
    kill -0 "$2" 2>/dev/null || break
    sleep 0.1
  done
  wait "$2" || status=$?
  [ "$status" -eq 0 ] || fail "the program ended with status $status"
}
