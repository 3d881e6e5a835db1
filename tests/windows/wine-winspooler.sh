#!/usr/bin/env bash
# The winspool spooler's test program, built for Windows, run under Wine in a
# fresh prefix.
#   wine-winspooler.sh WINDOWS_BUILD
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
fail() {
  echo "[${SECONDS}s] FAIL: $*"
  exit 1
}
# shellcheck source=winelib.sh
source "$here/winelib.sh"
windows=${1:-}
need_windows_build "$windows"
need wine wineboot
[ -f "$windows/bin/tst_winspooler.exe" ] || fail "$windows/bin/tst_winspooler.exe is not built"

work=$(mktemp -d "${TMPDIR:-/tmp}/pcu-wine.XXXXXX")
trap 'stop_all; rm -rf "$work"' EXIT
fresh_prefix
wine "$windows/bin/tst_winspooler.exe"
