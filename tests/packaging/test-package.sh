#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright 2026 the Printer Configuration Utility authors
#
# Builds the Debian package from an already built tree into a private folder; lintian
# must find nothing to report in it (no error, no warning). Unpacks it, checks its
# layout, documents and computed dependencies, then starts the unpacked program through
# its bin link: offscreen, and under a private Xvfb where hovering over Apply Settings
# must show the highlighted bitmap, which proves the bitmaps were found beside the program;
# the window must also offer the desktop its icon at every size. Started again on a screen
# scaled to 200%, it must show the 2x bitmaps.
#   test-package.sh <build dir> <source dir>      (CPACK may name the cpack to use)
set -euo pipefail
build=$(cd "$1" && pwd)
source=$(cd "$2" && pwd)
cpack=${CPACK:-cpack}

app=com.example.altrune.TR7400Config
title="Altrune TR 7400 Printer Configuration Utility"
bitmaps=()
for stem in Apply_Settings Restore_Default Exit_Button Print_Features Show_Features Close_Button; do
  bitmaps+=("${stem}1.bmp" "${stem}2.bmp" "${stem}1@2x.bmp" "${stem}2@2x.bmp")
done
icon_sizes=(16 24 32 48 64 128 256)

# shellcheck source=../support/background.sh
source "$(dirname "$0")/../support/background.sh"
work=$(mktemp -d "${TMPDIR:-/tmp}/pcu-package.XXXXXX")
trap 'stop_started; rm -rf "$work"' EXIT
trap 'exit 1' INT TERM HUP

[ -x "$build/bin/tr7400config" ] || fail "$build/bin/tr7400config is not built"
[ -f "$build/CPackConfig.cmake" ] || fail "$build/CPackConfig.cmake is missing"

# --- The package -------------------------------------------------------------------------
# cpack installs the built tree into its own staging folder under -B. With a Makefile
# generator it would first run the tree's preinstall target, i.e. a full build, racing
# with the tests running beside this one; naming a generator that has no such target
# makes it only install what is already built.
cat >"$work/CPackConfig.cmake" <<CONFIG
include("$build/CPackConfig.cmake")
set(CPACK_CMAKE_GENERATOR Ninja)
CONFIG
# The one thing it writes into the build folder is install_manifest.txt; it is put back
# as it was.
manifest=$build/install_manifest.txt
[ -e "$manifest" ] && cp -p "$manifest" "$work/manifest.saved"
logs+=("$work/cpack.log")
cpack_status=0
(cd "$work" && "$cpack" --config "$work/CPackConfig.cmake" -G DEB -B "$work/out") \
  >"$work/cpack.log" 2>&1 || cpack_status=$?
if [ -e "$work/manifest.saved" ]; then mv -f "$work/manifest.saved" "$manifest"; else rm -f "$manifest"; fi
[ $cpack_status -eq 0 ] || fail "cpack failed"

shopt -s nullglob
debs=("$work"/out/*.deb)
shopt -u nullglob
[ ${#debs[@]} -eq 1 ] || fail "expected one .deb, found ${#debs[@]}"
deb=${debs[0]}
echo "[${SECONDS}s] Built $(basename "$deb")"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = tr7400config ] || fail "Package is '$(field Package)'"
[ "$(field Version)" = 1.00 ] || fail "Version is '$(field Version)'"
[ "$(field Section)" = utils ] || fail "Section is '$(field Section)'"
[[ "$(field Maintainer)" == *@*example.com* ]] || fail "Maintainer is '$(field Maintainer)'"
[ -n "$(field Description)" ] || fail "no Description"
depends=$(field Depends)
echo "Depends: $depends"
for lib in libqt6widgets6 libcups2; do
  grep -qE "(^|, )$lib( |,|$)" <<<"$depends" || fail "Depends does not name $lib"
done
# tr7400ctl setup lists the printer devices through the scheduler's cups-deviced, which
# only the full cups package brings.
grep -qE "(^|, )cups( |,|$)" <<<"$(field Recommends)" || fail "Recommends does not name cups"
# Nothing to run at installation: no maintainer scripts, no triggers.
control=$(dpkg-deb --ctrl-tarfile "$deb" | tar -t | sed 's|^\./||' | grep -v '^$' | LC_ALL=C sort | tr '\n' ' ')
[ "$control" = "control md5sums " ] || fail "the package's control part holds: $control"

# Debian's own check, with its default profile: any error or warning fails.
command -v lintian >/dev/null || fail "lintian is not installed (scripts/install-deps installs it)"
logs+=("$work/lintian.log")
lintian_status=0
lintian --fail-on error,warning --display-info --show-overrides "$deb" >"$work/lintian.log" 2>&1 ||
  lintian_status=$?
if [ $lintian_status -ne 0 ] || grep -qE '^[EW]: ' "$work/lintian.log"; then
  fail "lintian reports errors or warnings (status $lintian_status)"
fi
echo "[${SECONDS}s] lintian: no error, no warning"
sed 's/^/  /' "$work/lintian.log"

# --- Its layout --------------------------------------------------------------------------
root=$work/root
dpkg-deb -x "$deb" "$root"
appdir=usr/lib/tr7400config
{
  echo "./usr/bin/tr7400config"
  echo "./usr/bin/tr7400ctl"
  echo "./$appdir/tr7400config"
  echo "./$appdir/tr7400ctl"
  echo "./$appdir/libpcu_cupsspooler.so"
  echo "./usr/share/man/man1/tr7400config.1.gz"
  echo "./usr/share/man/man1/tr7400ctl.1.gz"
  echo "./usr/share/doc/tr7400config/copyright"
  echo "./usr/share/doc/tr7400config/changelog.gz"
  for bmp in "${bitmaps[@]}"; do echo "./$appdir/$bmp"; done
  echo "./usr/share/applications/$app.desktop"
  for size in "${icon_sizes[@]}"; do echo "./usr/share/icons/hicolor/${size}x$size/apps/$app.png"; done
  echo "./usr/share/icons/hicolor/scalable/apps/$app.svg"
  echo "./usr/share/metainfo/$app.metainfo.xml"
} | LC_ALL=C sort >"$work/expected"
(cd "$root" && find . ! -type d | LC_ALL=C sort) >"$work/actual"
diff -u "$work/expected" "$work/actual" >&2 || fail "the package holds other files than expected"

for program in tr7400config tr7400ctl; do
  [ -L "$root/usr/bin/$program" ] || fail "usr/bin/$program is not a link"
  link=$(readlink "$root/usr/bin/$program")
  [ "$link" = "../lib/tr7400config/$program" ] || fail "usr/bin/$program points to '$link'"
  [ -f "$root/$appdir/$program" ] && [ -x "$root/$appdir/$program" ] ||
    fail "$appdir/$program is not an executable file"
  file -b "$root/$appdir/$program" | grep -q '^ELF' || fail "$appdir/$program is not ELF"
done
# The command-line tool runs without Qt.
! ldd "$root/$appdir/tr7400ctl" | grep -q 'libQt' || fail "tr7400ctl loads Qt: $(ldd "$root/$appdir/tr7400ctl" | grep libQt)"
for page in packaging/tr7400config.1 cli/tr7400ctl.1; do
  installed=$root/usr/share/man/man1/$(basename "$page").gz
  gzip -dc "$installed" | cmp -s "$source/$page" - || fail "$installed differs from $page"
  man_warnings=$(MANWIDTH=80 man --warnings -l "$installed" 2>&1 >/dev/null || true)
  [ -z "$man_warnings" ] || fail "man warns about $(basename "$page"): $man_warnings"
done
# The documents lintian asks for: the copyright file in Debian's machine-readable form,
# naming the GPL-3 and its text on the system, and the changelog of this version.
doc=$root/usr/share/doc/tr7400config
head -n 1 "$doc/copyright" | grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
  fail "the copyright file is not in the machine-readable format"
grep -qx 'License: GPL-3+' "$doc/copyright" || fail "the copyright file does not name the GPL-3+"
grep -qF '/usr/share/common-licenses/GPL-3' "$doc/copyright" ||
  fail "the copyright file does not point to the licence's text"
gzip -dc "$doc/changelog.gz" >"$work/changelog"
[ "$(dpkg-parsechangelog -l "$work/changelog" -S Version)" = "$(field Version)" ] ||
  fail "the changelog's newest entry is not version $(field Version)"
# The spooler module is loaded only at the first job; its libraries must be
# there all the same.
module=$root/$appdir/libpcu_cupsspooler.so
file -b "$module" | grep -q '^ELF.*shared object' || fail "$appdir/libpcu_cupsspooler.so is not a shared object"
! ldd "$module" | grep -q 'not found' || fail "the spooler module misses libraries: $(ldd "$module" | grep 'not found')"
for bmp in "${bitmaps[@]}"; do
  cmp -s "$source/assets/hover/$bmp" "$root/$appdir/$bmp" || fail "$appdir/$bmp differs from the source"
done
for size in "${icon_sizes[@]}"; do
  cmp -s "$source/assets/images/icons/tr7400config-$size.png" "$root/usr/share/icons/hicolor/${size}x$size/apps/$app.png" ||
    fail "the ${size}x$size icon differs from assets/images/icons/tr7400config-$size.png"
done
cmp -s "$source/assets/images/icon.png" "$root/usr/share/icons/hicolor/64x64/apps/$app.png" ||
  fail "the 64x64 icon differs from the stored icon, assets/images/icon.png"
cmp -s "$source/assets/images/icons/tr7400config.svg" "$root/usr/share/icons/hicolor/scalable/apps/$app.svg" ||
  fail "the scalable icon differs from assets/images/icons/tr7400config.svg"
cmp -s "$source/packaging/$app.desktop" "$root/usr/share/applications/$app.desktop" ||
  fail "the desktop entry differs from the source"
cmp -s "$source/packaging/$app.metainfo.xml" "$root/usr/share/metainfo/$app.metainfo.xml" ||
  fail "the metainfo differs from the source"
logs+=("$work/validate.log")
appstreamcli validate-tree --no-net "$root" >"$work/validate.log" 2>&1 ||
  fail "appstreamcli validate-tree rejects the unpacked tree"
desktop-file-validate "$root/usr/share/applications/$app.desktop" >>"$work/validate.log" 2>&1 ||
  fail "desktop-file-validate rejects the installed desktop entry"
echo "[${SECONDS}s] Layout, bitmaps, link, desktop entry, icons and metainfo are in place"

# --- The unpacked program, started through the link ---------------------------------------
# A throwaway home and a scheduler socket that does not exist: no real printer is touched.
use_throwaway_home
export CUPS_SERVER=$work/no-scheduler.sock
program=$root/usr/bin/tr7400config

# What a sanitized build reports goes to the program's standard error.
sanitizer_report() { grep -E 'ERROR: (Address|Leak)Sanitizer|runtime error:' "$1" >/dev/null; }

# tr7400ctl through its link finds the spooler module beside itself: with no scheduler
# to reach, it says so in the spooler's words and answers 4.
logs+=("$work/ctl.log")
ctl_status=0
timeout 60 "$root/usr/bin/tr7400ctl" features >"$work/ctl.log" 2>&1 || ctl_status=$?
[ "$ctl_status" -eq 4 ] || fail "tr7400ctl features answered $ctl_status with no scheduler, not 4"
grep -q 'cannot be reached' "$work/ctl.log" || fail "tr7400ctl did not reach its spooler module"
! sanitizer_report "$work/ctl.log" || fail "the sanitizer reported a fault in tr7400ctl"
echo "[${SECONDS}s] tr7400ctl through its link: the spooler module is found"

# Offscreen: it must come up (its window painted, the font then in use) and
# keep running until it is told to end. timeout bounds every child started
# here, should this script be killed before it can clean up.
logs+=("$work/offscreen.log")
QT_QPA_PLATFORM=offscreen timeout 60 "$program" >"$work/offscreen.log" 2>&1 &
pid=$!
started+=("$pid")
painted=
for _ in $(seq 300); do
  kill -0 "$pid" 2>/dev/null || fail "the program ended by itself offscreen"
  # The program itself is the child of timeout.
  child=$(pgrep -P "$pid" | head -n 1 || true)
  [ -n "$child" ] && grep -q 'DejaVuSans' "/proc/$child/maps" 2>/dev/null && { painted=yes; break; }
  sleep 0.1
done
[ -n "$painted" ] || fail "the program did not paint its window offscreen within 30 s"
kill -TERM "$pid"
status=0
wait "$pid" || status=$?
started=()   # reaped: its pid must not be signalled again
[ "$status" -eq 143 ] || fail "offscreen, the program ended with status $status, not by the TERM it was sent"
! sanitizer_report "$work/offscreen.log" || fail "the sanitizer reported a fault offscreen"
echo "[${SECONDS}s] Offscreen start: window painted, running until told to end"

start_xvfb 2048x1200x24 120

# start_program SCALE LOG: the unpacked program on a screen scaled by SCALE (as a 4K
# screen at 200% is); sets pid, window and the window's X, Y, WIDTH and HEIGHT.
start_program() {
  local scale=$1
  logs+=("$2")
  QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=$scale timeout 60 "$program" >"$2" 2>&1 &
  pid=$!
  started+=("$pid")
  window=
  for _ in $(seq 150); do
    window=$(xdotool search --onlyvisible --name "^$title\$" 2>/dev/null | head -n 1 || true)
    [ -n "$window" ] && break
    kill -0 "$pid" 2>/dev/null || fail "the program ended before showing its window"
    sleep 0.1
  done
  [ -n "$window" ] || fail "no window titled '$title' within 15 s"
  eval "$(xdotool getwindowgeometry --shell "$window")"
  [ "$WIDTH"x"$HEIGHT" = $((727 * scale))x$((356 * scale)) ] ||
    fail "at scale $scale the window is ${WIDTH}x$HEIGHT, not $((727 * scale))x$((356 * scale))"
}

differing() { compare -metric AE "$1" "$2" null: 2>&1 >/dev/null || true; }

# hover_check SCALE SUFFIX: Apply Settings, 128 x 26 window pixels at 594,164, shows
# Apply_Settings1SUFFIX.bmp once the pointer has crossed the background and
# Apply_Settings2SUFFIX.bmp under the pointer, as read from beside the program. The
# at-rest bitmap beside the unpacked program is replaced by its negative first: the
# packaged one looks like the picture the window starts with, so only the negative shows
# that the movement over the background was taken. Qt drops a pointer movement that
# another follows before it reads them, and a program busy with its first frames (or
# sanitized) could otherwise see only the movement onto the button, which highlights
# nothing before a reset.
hover_check() {
  local scale=$1 suffix=$2 pixels
  local highlighted=$source/assets/hover/Apply_Settings2$suffix.bmp
  local at_rest=$work/Apply_Settings1$suffix-negative.bmp
  convert "$source/assets/hover/Apply_Settings1$suffix.bmp" -negate "BMP3:$at_rest" ||
    fail "cannot make the negative of Apply_Settings1$suffix.bmp"
  cp "$at_rest" "$root/$appdir/Apply_Settings1$suffix.bmp"
  [ "$(differing "$highlighted" "$at_rest")" != 0 ] || fail "the two Apply Settings bitmaps are alike"
  shot() {
    import -window root -crop "$((128 * scale))x$((26 * scale))+$((X + 594 * scale))+$((Y + 164 * scale))" \
      +repage "$1" 2>/dev/null
  }

  # Waits until Apply Settings shows the picture $1; fails saying $2 if it does not.
  shows() {
    local pixels=unknown
    for _ in $(seq 50); do
      shot "$work/button.png" && pixels=$(differing "$work/button.png" "$1")
      [ "$pixels" = 0 ] && return 0
      sleep 0.2
    done
    fail "Apply Settings does not show $(basename "$1") $2 ($pixels pixels differ)"
  }

  # Over the background first: that loads the at-rest bitmaps and arms the highlight.
  xdotool mousemove $((X + 650 * scale)) $((Y + 100 * scale))
  shows "$at_rest" "over the background: the bitmaps were not found"
  xdotool mousemove $((X + 657 * scale)) $((Y + 176 * scale))
  shows "$highlighted" "under the pointer"
  # The packaged at-rest bitmap back, for the next start.
  cp "$source/assets/hover/Apply_Settings1$suffix.bmp" "$root/$appdir/Apply_Settings1$suffix.bmp"
  echo "[${SECONDS}s] At scale $scale, hovering over Apply Settings shows $(basename "$highlighted")"
}

start_program 1 "$work/program.log"
echo "[${SECONDS}s] Window '$title' is up at $X,$Y"
wmclass=$(sed -n 's/^StartupWMClass=//p' "$root/usr/share/applications/$app.desktop")
xprop -id "$window" WM_CLASS | grep -qF "\"$wmclass\"" ||
  fail "the window class is not '$wmclass', the desktop entry's StartupWMClass"

hover_check 1 ""

# The desktop gets the icon at every size; the window sets them once it is up.
sizes=
for _ in $(seq 50); do
  sizes=$(xprop -len 1000000 -id "$window" _NET_WM_ICON 2>/dev/null |
          grep -o 'Icon ([0-9]* x [0-9]*)' | grep -o '^Icon ([0-9]*' | tr -dc '0-9\n' | sort -n | tr '\n' ' ' || true)
  [ "$sizes" = "${icon_sizes[*]} " ] && break
  sleep 0.2
done
[ "$sizes" = "${icon_sizes[*]} " ] || fail "the window's icon has the sizes '$sizes', not '${icon_sizes[*]}'"
echo "[${SECONDS}s] The window's icon comes at ${icon_sizes[*]} pixels"

kill -0 "$pid" 2>/dev/null || fail "the program ended while the pointer moved over it"

# Quit as a user does: Ctrl+X, and Yes (the default button) to the exit question.
xdotool keydown ctrl keydown x keyup x keyup ctrl
question=
for _ in $(seq 100); do
  question=$(xdotool search --onlyvisible --name '^Printer Configuration Utility$' 2>/dev/null | head -n 1 || true)
  [ -n "$question" ] && break
  kill -0 "$pid" 2>/dev/null || fail "the program ended before asking whether to quit"
  sleep 0.1
done
[ -n "$question" ] || fail "Ctrl+X brought up no exit question within 10 s"
xdotool windowfocus --sync "$question" key Return
for _ in $(seq 300); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
status=0
wait "$pid" || status=$?
started=("${started[@]:0:1}")   # the program is reaped; Xvfb is left
[ "$status" -eq 0 ] || fail "the program ended with status $status after Yes to the exit question"
! sanitizer_report "$work/program.log" || fail "the sanitizer reported a fault"
echo "[${SECONDS}s] Ctrl+X and Yes ended the program with status 0"

# On a screen scaled to 200% the 2x bitmaps beside the program are read instead.
start_program 2 "$work/program-2x.log"
hover_check 2 "@2x"
stop "$pid"
started=("${started[@]:0:1}")
! sanitizer_report "$work/program-2x.log" || fail "the sanitizer reported a fault at scale 2"
echo "[${SECONDS}s] PASS"
