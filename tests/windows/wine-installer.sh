#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright 2026 the Printer Configuration Utility authors
#
# The setup program under Wine, in a fresh prefix, as an administrator
# deploying to many machines uses it: a silent install (with tr7400ctl on the
# PATH) lays down the files, the licence and the third-party notices, the
# Start-menu shortcut and the Add/Remove Programs entry; the installed program, started from where it was installed,
# shows its bitmaps and sends the default block to a private scheduler; the
# silent uninstall takes all of it away again.
#   wine-installer.sh WINDOWS_BUILD LINUX_BUILD
set -uo pipefail
# shellcheck source=winelib.sh
source "$(dirname "$0")/winelib.sh"
windows=${1:-}
linux=$2
setup=$windows/release/tr7400config-1.00-win64.exe

need_windows_build "$windows"
[ -f "$setup" ] || fail "$setup is not built (the release target)"
need wine wineboot Xvfb xdotool import compare
under_private_scheduler "$linux" "$0" "$@"

start_wine_display
fresh_prefix

folder='C:\Program Files\Altrune\TR7400 Configuration Utility'
installed="$WINEPREFIX/drive_c/Program Files/Altrune/TR7400 Configuration Utility"
shortcut="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Altrune"
shortcut_file="$shortcut/Altrune TR 7400 Printer Configuration Utility.lnk"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\TR7400ConfigurationUtility'
environment_key='HKLM\SYSTEM\CurrentControlSet\Control\Session Manager\Environment'
registry() { wine reg query "$@" 2>/dev/null | tr -d '\r'; }
# reg query answers 1 for a key that is not there.
has_key() { wine reg query "$1" >/dev/null 2>&1; }

# 1. Silent install, with the command-line tool on the PATH: the programs, the
# hover bitmaps at 1x and 2x, the licence and the notices.
timeout 300 wine "$setup" /S /PATH || fail "the silent install answered $?"
bitmaps="Apply_Settings Restore_Default Exit_Button Print_Features Show_Features Close_Button"
texts="LICENSE THIRD-PARTY-NOTICES.txt"
expected=$( (for name in $bitmaps; do printf '%s\n' "${name}1.bmp" "${name}2.bmp" \
  "${name}1@2x.bmp" "${name}2@2x.bmp"; done
  printf '%s\n' $texts
  echo tr7400config.exe; echo tr7400ctl.exe; echo Uninstall.exe) | LC_ALL=C sort)
actual=$(cd "$installed" 2>/dev/null && find . -type f | sed 's|^\./||' | LC_ALL=C sort)
[ "$actual" = "$expected" ] || fail "the installation folder holds: $actual"
for file in tr7400config.exe tr7400ctl.exe; do
  cmp -s "$windows/bin/$file" "$installed/$file" || fail "the installed $file differs from the build's"
done
# The GPL as LICENSE holds it, with Windows line ends; the notices as the build wrote them.
tr -d '\r' <"$installed/LICENSE" | cmp -s - "$(dirname "$0")/../../LICENSE" ||
  fail "the installed LICENSE is not the GPL text of LICENSE"
grep -q $'Version 3, 29 June 2007\r$' "$installed/LICENSE" || fail "the installed LICENSE has no Windows line ends"
cmp -s "$windows/texts/THIRD-PARTY-NOTICES.txt" "$installed/THIRD-PARTY-NOTICES.txt" ||
  fail "the installed THIRD-PARTY-NOTICES.txt differs from the build's"
[ -f "$shortcut_file" ] || fail "no Start-menu shortcut $shortcut_file"
grep -qa 'tr7400config.exe' "$shortcut_file" || fail "the shortcut does not start tr7400config.exe"
entry=$(registry "$uninstall_key")
for value in "DisplayName    REG_SZ    Altrune TR 7400 Printer Configuration Utility" \
  "DisplayVersion    REG_SZ    1.00" "Publisher    REG_SZ    Altrune" \
  "UninstallString    REG_SZ    \"$folder\\Uninstall.exe\""; do
  grep -qF "$value" <<<"$entry" || fail "the uninstall entry lacks '$value': $entry"
done
registry "$environment_key" /v Path | grep -qF "$folder" || fail "the PATH does not hold $folder"
echo "[${SECONDS}s] Installed: files, licence, notices, shortcut, uninstall entry 1.00, PATH"

# 2. The installed program, from where it was installed.
wine "$folder\\tr7400config.exe" >"$work/program.log" 2>&1 &
program=$!
started+=("$program")
window=$(wait_window "Altrune TR 7400 Printer Configuration Utility" 120)
[ -n "$window" ] || fail "the installed program's window did not come up within 120 s"
eval "$(xdotool getwindowgeometry --shell "$window")"
apply_button_shows $((X + 650)) $((Y + 100)) "$installed/Apply_Settings1.bmp" &&
  apply_button_shows $((X + 657)) $((Y + 176)) "$installed/Apply_Settings2.bmp" ||
  fail "the installed program does not show the installed bitmaps"
xdotool click 1
confirm "Apply Settings"
wait_job 1
[ "$(job_hex 1)" = "1b 19 01 10 02 00 00 00 10 e0 01 01 00 00" ] ||
  fail "the installed program sent $(job_hex 1), not the default block"
[ "$(job_title 1)" = "Permanent Settings Configuration" ] || fail "job 1 is titled '$(job_title 1)'"
quit_program "$window" "$program"
echo "[${SECONDS}s] The installed program shows its bitmaps and sends the default block"

# 3. Silent uninstall: it copies itself away and runs from there, so what it
# removes is watched until its last step, the uninstall entry, is done.
timeout 120 wine "$folder\\Uninstall.exe" /S || fail "the silent uninstall answered $?"
for _ in $(seq 120); do
  has_key "$uninstall_key" || break
  sleep 0.5
done
for file in $texts; do
  [ ! -e "$installed/$file" ] || fail "the uninstall left $file behind"
done
[ ! -e "$installed" ] || fail "the installation folder is still there: $(ls "$installed")"
[ ! -e "$(dirname "$installed")" ] || fail "the Altrune folder is still there"
[ ! -e "$shortcut" ] || fail "the Start-menu folder is still there"
! has_key "$uninstall_key" || fail "the uninstall entry is still there"
! registry "$environment_key" /v Path | grep -qF "$folder" || fail "the PATH still holds $folder"
echo "[${SECONDS}s] Uninstalled: files, licence, notices, shortcut, entry and PATH are gone"
echo "[${SECONDS}s] PASS"
