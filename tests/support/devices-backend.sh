#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright 2026 the Printer Configuration Utility authors
#
# CUPS backend for the set-up tests, installed as "usb" and "parallel" in a
# private scheduler's folder (<root>/bin/backend). Asked for its devices (no
# arguments), the usb one reports those in <root>/devices, one line each as
# the real backend does: class, URI, and quoted make and model, info, IEEE
# 1284 device ID and location. A job sent to any of them is kept by the
# capture backend beside it, with the device it was sent to.

backends=$(dirname "$0")
root=$backends/../..

if [ $# -eq 0 ]; then
    [ "$(basename "$0")" = usb ] && cat "$root/devices"
    exit 0
fi

umask 022
printf '%s' "$DEVICE_URI" >"$root/capture/job-$1.uri" || exit 1
DEVICE_URI=capture:$root/capture
export DEVICE_URI
exec "$backends/capture" "$@"
