#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright 2026 the Printer Configuration Utility authors
#
# CUPS backend for the spooler tests: keeps each job's bytes and title in the
# folder named by its device URI (capture:/folder) instead of printing.
# Arguments: job-id user title copies options [file]. Runs as the scheduler's
# user; a file "fail" in the folder makes every job fail.

if [ $# -eq 0 ]; then
    echo 'direct capture "Unknown" "Test capture"'
    exit 0
fi

dir=${DEVICE_URI#capture:}
umask 022

if [ -e "$dir/fail" ]; then
    echo "ERROR: capture backend told to fail" >&2
    exit 1
fi

# The bytes appear under their final name only once complete.
if [ $# -ge 6 ]; then
    cat "$6" >"$dir/job-$1.part" || exit 1
else
    cat >"$dir/job-$1.part" || exit 1
fi
printf '%s' "$3" >"$dir/job-$1.title" || exit 1
mv "$dir/job-$1.part" "$dir/job-$1.bin" || exit 1
exit 0
