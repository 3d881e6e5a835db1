#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright 2026 the Printer Configuration Utility authors
#
# The Windows program under Wine on a machine with no printer at all: Apply
# Settings, OK, brings up the no-driver message under the application's own
# title, and tr7400ctl.exe answers 3 with the same words. Its setup, which
# Windows does in its own settings, answers 2 and says so.
#   wine-noprinter.sh WINDOWS_BUILD
set -uo pipefail
# shellcheck source=winelib.sh
source "$(dirname "$0")/winelib.sh"
windows=${1:-}
need_windows_build "$windows"
need wine wineboot Xvfb xdotool

work_folder
# A scheduler socket that does not exist: Wine finds no printer.
export CUPS_SERVER=$work/no-scheduler.sock
start_wine_display
fresh_prefix
folder=$(install_programs "$windows")

wine "$folder/tr7400config.exe" >"$work/program.log" 2>&1 &
started+=("$!")
window=$(wait_window "Altrune TR 7400 Printer Configuration Utility" 120)
[ -n "$window" ] || fail "the window did not come up within 120 s"
chord "$window" ctrl a
question=$(wait_window "Printer Configuration Utility" 60)
[ -n "$question" ] || fail "Ctrl+A brought up no printer-ready question"
xdotool windowfocus --sync "$question" key Return
message=$(wait_window "TR7400PrinterConfigurationUtility" 60)
[ -n "$message" ] || fail "no message titled 'TR7400PrinterConfigurationUtility' within 60 s"
[ -z "$(xdotool search --onlyvisible --name '^Printer Configuration Utility$' 2>/dev/null)" ] ||
  fail "another message is shown beside the no-driver message"
echo "[${SECONDS}s] The no-driver message carries the application's title"
xdotool windowfocus --sync "$message" key Return

status=0
wine "$folder/tr7400ctl.exe" apply --yes --defaults >"$work/ctl.log" 2>&1 || status=$?
[ "$status" -eq 3 ] || fail "tr7400ctl.exe answered $status, not 3: $(cat "$work/ctl.log")"
grep -q "No printer drivers are installed." "$work/ctl.log" ||
  fail "tr7400ctl.exe did not say so: $(cat "$work/ctl.log")"
echo "[${SECONDS}s] tr7400ctl.exe answers 3: no printer"

status=0
wine "$folder/tr7400ctl.exe" setup --default >"$work/setup.log" 2>&1 || status=$?
[ "$status" -eq 2 ] || fail "tr7400ctl.exe setup answered $status, not 2: $(cat "$work/setup.log")"
grep -q "Printers & scanners" "$work/setup.log" ||
  fail "tr7400ctl.exe setup did not point to Windows' settings: $(cat "$work/setup.log")"
echo "[${SECONDS}s] tr7400ctl.exe setup answers 2: printers are set up in Windows' settings"
echo "[${SECONDS}s] PASS"
