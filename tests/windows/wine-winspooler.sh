#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright 2026 the Printer Configuration Utility authors
#
# The winspool spooler's test program, built for Windows, run under Wine in a
# fresh prefix.
#   wine-winspooler.sh WINDOWS_BUILD
set -uo pipefail
# shellcheck source=winelib.sh
source "$(dirname "$0")/winelib.sh"
windows=${1:-}
need_windows_build "$windows"
need wine wineboot
[ -f "$windows/bin/tst_winspooler.exe" ] || fail "$windows/bin/tst_winspooler.exe is not built"

work_folder
fresh_prefix
wine "$windows/bin/tst_winspooler.exe"
