#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright 2026 the Printer Configuration Utility authors
#
# The Windows program under Wine, driven with xdotool as a person would, with
# Wine's spooler handing its jobs to a private scheduler whose raw default
# queue keeps them: Apply Settings; lists changed with Alt letters and arrow
# keys, then Ctrl+A; Print Features; the highlight bitmap read from beside the
# .exe; tr7400ctl.exe; Ctrl+X. Each job is compared byte for byte with what
# the Linux programs send for the same choices.
#   wine-window.sh WINDOWS_BUILD LINUX_BUILD
set -uo pipefail
# shellcheck source=winelib.sh
source "$(dirname "$0")/winelib.sh"
windows=${1:-}
linux=$2

need_windows_build "$windows"
need wine wineboot Xvfb xdotool import compare
under_private_scheduler "$linux" "$0" "$@"

start_wine_display
fresh_prefix
folder=$(install_programs "$windows")
# Pictures of their own beside the .exe, at rest and highlighted: what Apply
# Settings shows can then only have come from these files.
cp "$folder/Restore_Default1.bmp" "$folder/Apply_Settings1.bmp"
cp "$folder/Exit_Button2.bmp" "$folder/Apply_Settings2.bmp"

title="Altrune TR 7400 Printer Configuration Utility"
wine "$folder/tr7400config.exe" >"$work/program.log" 2>&1 &
program=$!
started+=("$program")
window=$(wait_window "$title" 120)
[ -n "$window" ] || fail "no window titled '$title' within 120 s"
eval "$(xdotool getwindowgeometry --shell "$window")"
[ "${WIDTH}x$HEIGHT" = 727x356 ] || fail "the window is ${WIDTH}x$HEIGHT, not 727x356"
echo "[${SECONDS}s] The window is up at $X,$Y"

# The pointer over the background, then over Apply Settings.
apply_button_shows $((X + 650)) $((Y + 100)) "$folder/Apply_Settings1.bmp" ||
  fail "over the background, Apply Settings does not show the Apply_Settings1.bmp beside the .exe"
apply_button_shows $((X + 657)) $((Y + 176)) "$folder/Apply_Settings2.bmp" ||
  fail "under the pointer, Apply Settings does not show the Apply_Settings2.bmp beside the .exe"
echo "[${SECONDS}s] Over the background and under the pointer, Apply Settings shows the bitmaps beside the .exe"

# 1. Apply Settings with the mouse, OK: the default block.
xdotool mousemove $((X + 657)) $((Y + 176)) click 1
confirm "Apply Settings"
wait_job 1
[ "$(job_hex 1)" = "1b 19 01 10 02 00 00 00 10 e0 01 01 00 00" ] ||
  fail "Apply Settings sent $(job_hex 1), not the default block"
[ "$(job_title 1)" = "Permanent Settings Configuration" ] || fail "job 1 is titled '$(job_title 1)'"
echo "[${SECONDS}s] Apply Settings sent the 14 default bytes as 'Permanent Settings Configuration'"

# 2. Lists changed from the keyboard: Alt+L and Down (14 Inch), Alt+Q and End
# (Orator-S), Alt+I and Home (Parallel); then Ctrl+A.
chord "$window" alt l
xdotool key Down
chord "$window" alt q
xdotool key End
chord "$window" alt i
xdotool key Home
chord "$window" ctrl a
confirm "Ctrl+A"
wait_job 2
expected=$("$linux/bin/tr7400ctl" encode page-length=14-inch lq-font-type=orator-s interface=parallel)
[ "$(job_hex 2)" = "$expected" ] || fail "Ctrl+A sent $(job_hex 2), not $expected"
echo "[${SECONDS}s] Alt letters, arrows and Ctrl+A sent $expected"

# 3. Print Features: the page as the Linux program prints it, byte for byte.
chord "$window" ctrl p
confirm "Ctrl+P"
wait_job 3
"$linux/bin/tr7400ctl" features >/dev/null || fail "the Linux tr7400ctl could not print the page"
wait_job 4
cmp -s "$(capture_folder)/job-3.bin" "$(capture_folder)/job-4.bin" ||
  fail "the page from Wine differs from the page from Linux"
[ "$(job_title 3)" = "TR7400 FEATURS" ] || fail "the page is titled '$(job_title 3)'"
echo "[${SECONDS}s] Print Features sent the page byte for byte, titled 'TR7400 FEATURS'"

# 4. tr7400ctl.exe: the same bytes as the Linux tool.
[ "$(wine "$folder/tr7400ctl.exe" encode page-length=14-inch | tr -d '\r')" = \
  "$("$linux/bin/tr7400ctl" encode page-length=14-inch)" ] || fail "tr7400ctl.exe encodes otherwise"
wine "$folder/tr7400ctl.exe" apply --yes sleep-mode=#2 >"$work/ctl.log" 2>&1 ||
  fail "tr7400ctl.exe apply answered $?: $(cat "$work/ctl.log")"
wait_job 5
[ "$(job_hex 5)" = "$("$linux/bin/tr7400ctl" encode sleep-mode=#2)" ] ||
  fail "tr7400ctl.exe sent $(job_hex 5)"
echo "[${SECONDS}s] tr7400ctl.exe sent what tr7400ctl sends"

# 5. Ctrl+X and Yes end the program.
quit_program "$window" "$program"
echo "[${SECONDS}s] PASS"
