#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright 2026 the Printer Configuration Utility authors
#
# Checks the privatecups tool: a command run under it finds the raw queue
# TR7400 as its default printer, and afterwards the scheduler is gone, the
# job's bytes are kept in the folder and shown as a hex dump; the command's
# exit code and an interrupt are handled; no other user reaches the
# scheduler, and --user runs the command as the one who may.
#   privatecups-test.sh PRIVATECUPS WORKFOLDER
# Exit code 77 (skipped) when not root: the scheduler needs it.
set -u
tool=$1
work=$2

if [ "$(id -u)" -ne 0 ]; then
    echo "SKIP: the private scheduler needs root"
    exit 77
fi

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}
rm -rf "$work"
mkdir -p "$work"

# The scheduler's socket as the tool's first line names it in an output file.
socket_of() {
    sed -n 's/^Private CUPS scheduler on \(.*\): raw queue .*/\1/p' "$1"
}

# The folder of the scheduler named in the tool's first line must be gone,
# and no process may still use it.
check_stopped() {
    socket=$(socket_of "$1")
    [ -n "$socket" ] || { fail "$1 names no scheduler"; return; }
    folder=$(dirname "$(dirname "$socket")")
    [ ! -e "$folder" ] || fail "the scheduler's folder $folder is left behind"
    if ps -eo args= | grep -F "$folder/" | grep -v grep >/dev/null; then
        fail "a process of the scheduler in $folder is still running"
    fi
}

# 1. The default printer: the settings job as the program sends it.
printf '\033\031\001\020\002\000\000\000\020\340\001\001\000\000' >"$work/settings.bin"
"$tool" --jobs "$work/jobs" -- sh -c '
    lpstat -d
    lp -o raw -t "Permanent Settings Configuration" "$1" >/dev/null' sh "$work/settings.bin" \
    >"$work/out1.txt" 2>&1
code=$?
cat "$work/out1.txt"
[ "$code" -eq 0 ] || fail "exit code $code, expected 0"
grep -q '^system default destination: TR7400$' "$work/out1.txt" ||
    fail "the command did not find TR7400 as its default printer"
grep -qF 'Job 1 "Permanent Settings Configuration", 14 bytes:' "$work/out1.txt" ||
    fail "no dump heading for job 1"
grep -qF '1b 19 01 10 02 00 00 00 10 e0 01 01 00 00' "$work/out1.txt" ||
    fail "the dump does not show the job's bytes"
cmp -s "$work/settings.bin" "$work/jobs/job-1.bin" || fail "job-1.bin differs from what was sent"
[ "$(cat "$work/jobs/job-1.title" 2>/dev/null)" = "Permanent Settings Configuration" ] ||
    fail "job-1.title is wrong"
check_stopped "$work/out1.txt"

# 2. The command's exit code is passed on; earlier jobs in the folder go.
"$tool" --jobs "$work/jobs" -- sh -c 'exit 3' >"$work/out2.txt" 2>&1
code=$?
[ "$code" -eq 3 ] || fail "exit code $code, expected the command's 3"
grep -qF '0 job(s) were kept' "$work/out2.txt" || fail "a run without jobs reported jobs"
[ ! -e "$work/jobs/job-1.bin" ] || fail "the previous run's job is still in the folder"
check_stopped "$work/out2.txt"

# 3. Ctrl+C reaches the whole process group: the command ends, the job it
# sent is still kept, and the scheduler is stopped. The tool leads a process
# group of its own here, as a terminal's foreground job does.
perl -e 'setpgrp(0, 0); exec @ARGV or exit 127' "$tool" --jobs "$work/jobs" -- sh -c '
    printf "kept" | lp -o raw -t "Before Ctrl+C" >/dev/null && exec sleep 60' \
    >"$work/out3.txt" 2>&1 &
pid=$!
# Once the backend has kept the job: polled, with a bound far beyond need.
kept=""
for _ in $(seq 600); do
    socket=$(socket_of "$work/out3.txt")
    if [ -n "$socket" ] && [ -e "$(dirname "$(dirname "$socket")")/capture/job-1.bin" ]; then
        kept=yes
        break
    fi
    sleep 0.1
done
[ -n "$kept" ] || fail "the job sent before Ctrl+C was not captured within 60 s"
kill -INT "-$pid"
wait "$pid"
code=$?
cat "$work/out3.txt"
[ "$code" -eq 130 ] || fail "exit code $code after Ctrl+C, expected 130"
grep -qF 'Job 1 "Before Ctrl+C", 4 bytes:' "$work/out3.txt" ||
    fail "the job sent before Ctrl+C was not kept"
check_stopped "$work/out3.txt"

# 4. Another user of the machine cannot reach the scheduler: neither ask it
# nor add a printer to it. Root still can.
"$tool" --jobs "$work/jobs" -- sh -c '
    echo "socket folder: $(stat -c %a "$(dirname "$CUPS_SERVER")")"
    # lpstat says nothing of a scheduler it cannot reach; what it lists tells.
    if setpriv --reuid=daemon --regid=daemon --clear-groups lpstat -e -d 2>&1 | grep -q TR7400; then
        echo "daemon reached the scheduler"
    fi
    if setpriv --reuid=daemon --regid=daemon --clear-groups \
        lpadmin -p EVIL -v capture:/tmp -E >/dev/null 2>&1; then
        echo "daemon added a printer"
    fi
    lpstat -e' >"$work/out4.txt" 2>&1
code=$?
cat "$work/out4.txt"
[ "$code" -eq 0 ] || fail "exit code $code, expected 0"
grep -qx 'socket folder: 700' "$work/out4.txt" || fail "the socket's folder is open to others"
! grep -q 'daemon reached the scheduler' "$work/out4.txt" || fail "another user reached the scheduler"
! grep -q 'daemon added a printer' "$work/out4.txt" || fail "another user added a printer"
grep -qx 'TR7400' "$work/out4.txt" && ! grep -q EVIL "$work/out4.txt" ||
    fail "the scheduler's printers are not just TR7400"

# 5. --user: the command runs as that user, who reaches the scheduler and is
# given the jobs. A title that would steer the terminal is shown escaped: the
# scheduler lets C1 controls through (U+009B is CSI to many terminals).
"$tool" --user nobody --jobs "$work/jobs5" -- sh -c '
    id -un
    lpstat -d
    printf x | lp -o raw -t "$(printf "T\302\23331mX\"q\"\\\\")" >/dev/null' \
    >"$work/out5.txt" 2>&1
code=$?
cat -v "$work/out5.txt"
[ "$code" -eq 0 ] || fail "exit code $code as user nobody, expected 0"
grep -qx nobody "$work/out5.txt" || fail "the command did not run as nobody"
grep -q '^system default destination: TR7400$' "$work/out5.txt" ||
    fail "user nobody did not reach the scheduler"
grep -qF 'Job 1 "T\x9b31mX\"q\"\\", 1 bytes:' "$work/out5.txt" ||
    fail "the job title is not shown escaped"
! grep -q "$(printf '\302\233')" "$work/out5.txt" || fail "a control character reached the terminal"
[ "$(stat -c %U "$work/jobs5/job-1.bin")" = nobody ] || fail "the kept job is not nobody's"
check_stopped "$work/out5.txt"

[ "$failures" -eq 0 ] && echo "PASS" && exit 0
exit 1
