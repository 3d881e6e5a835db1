#!/bin/sh
# Checks the privatecups tool: a command run under it finds the raw queue
# TR7400 as its default printer, and afterwards the scheduler is gone, the
# job's bytes are kept in the folder and shown as a hex dump; the command's
# exit code and an interrupt are handled.
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

# The folder of the scheduler named in the tool's first line must be gone,
# and no process may still use it.
check_stopped() {
    socket=$(sed -n 's/^Private CUPS scheduler on \(.*\): raw queue .*/\1/p' "$1")
    [ -n "$socket" ] || { fail "$1 names no scheduler"; return; }
    folder=$(dirname "$socket")
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
for _ in $(seq 150); do
    grep -q '^Private CUPS scheduler on' "$work/out3.txt" && break
    sleep 0.1
done
sleep 2
kill -INT "-$pid"
wait "$pid"
code=$?
cat "$work/out3.txt"
[ "$code" -eq 130 ] || fail "exit code $code after Ctrl+C, expected 130"
grep -qF 'Job 1 "Before Ctrl+C", 4 bytes:' "$work/out3.txt" ||
    fail "the job sent before Ctrl+C was not kept"
check_stopped "$work/out3.txt"

[ "$failures" -eq 0 ] && echo "PASS" && exit 0
exit 1
