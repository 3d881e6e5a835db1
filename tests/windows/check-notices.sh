#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright 2026 the Printer Configuration Utility authors
#
# THIRD-PARTY-NOTICES.txt must name every library that went into the Windows programs:
# the linker's map of each program (link-maps/ of the Windows build) lists the archives
# it took members from and the objects it loaded, and each one that is not the
# project's own must appear on a "Built in from:" line of the notices. A library that
# a new Qt, a new Qt feature or a new compiler brings in fails here until it has its
# notice. The same check on a map with one library more must fail and name it. The
# notices must also name the Qt the programs were linked with, and the patch of that
# Qt must be the one in the repository.
#   check-notices.sh WINDOWS_BUILD SOURCE_DIR
set -uo pipefail
windows=${1:-}
source=$2
if [ -z "$windows" ]; then
  echo "SKIP: no Windows build to check (set QT_MINGW_PREFIX, as .ci/run does when" \
       "../shared/qt6-mingw exists)"
  exit 77
fi
fail() { echo "FAIL: $*" >&2; exit 1; }
notices=$windows/texts/THIRD-PARTY-NOTICES.txt
[ -f "$notices" ] || fail "$notices is not built"
maps=("$windows"/link-maps/tr7400config.map "$windows"/link-maps/tr7400ctl.map)
for map in "${maps[@]}"; do [ -s "$map" ] || fail "$map is missing: the programs are not linked"; done
build_dir=$(cd "$windows" && pwd)

# Every archive a member was taken from, every object file loaded, and every C object
# taken from Qt's own libraries (code Qt bundles, compiled in with its own), of the maps
# given: one file name a line. The project's own, given by paths relative to the build
# folder or under it, are left out.
linked_libraries() {
  awk '
    /^Archive member included/ { members = 1; next }
    /^(Discarded input sections|Memory Configuration|Allocating common symbols)/ { members = 0 }
    members && /^\/.*\.a\(/ {
      path = $0; sub(/\(.*/, "", path); print path
      member = $0; sub(/^[^(]*\(/, "", member); sub(/\).*/, "", member)
      if (path ~ /\/libQt6[^\/]*\.a$/ && path !~ /Bundled/ && member ~ /\.cc?\.obj$/) print "/" member
      next
    }
    /^LOAD \/.*\.o(bj)?$/ { print substr($0, 6) }
  ' "$@" | tr -d '\r' | grep -v "^$build_dir/" | sed 's|.*/||' | LC_ALL=C sort -u
}

# The names the notices give on their "Built in from:" lines (continued on indented
# lines), one a line.
named_libraries() {
  tr -d '\r' <"$notices" | awk '
    /^ *Built in from:/ { on = 1; sub(/^ *Built in from:/, ""); print; next }
    on && /^      +[^ ]/ { print; next }
    { on = 0 }
  ' | tr ' ,' '\n' | sed 's/\.$//' | grep -v '^$' | LC_ALL=C sort -u
}

# The linked libraries the notices do not name.
unnamed() { LC_ALL=C comm -23 <(linked_libraries "$@") <(named_libraries); }

linked=$(linked_libraries "${maps[@]}")
[ -n "$linked" ] || fail "no library found in the maps: ${maps[*]}"
grep -qx 'libQt6Core.a' <<<"$linked" || fail "the maps show no libQt6Core.a: not the maps of a Qt program"
missing=$(unnamed "${maps[@]}")
[ -z "$missing" ] || fail "THIRD-PARTY-NOTICES.txt names no notice for: $(tr '\n' ' ' <<<"$missing")"
echo "The notices name all $(wc -l <<<"$linked") libraries linked into the programs:" \
  "$(tr '\n' ' ' <<<"$linked")"

# A library that comes in with no notice is caught, and named.
work=$(mktemp -d "${TMPDIR:-/tmp}/pcu-notices.XXXXXX")
trap 'rm -rf "$work"' EXIT
cp "${maps[0]}" "$work/more.map"
awk '{ print } /^Archive member included/ && !done {
  print ""; print "/opt/qt/lib/libQt6BundledNewCodec.a(codec.c.obj)"
  print "                              /opt/qt/lib/libQt6Gui.a(qimage.cpp.obj) (new_codec)"
  done = 1 }' "${maps[0]}" >"$work/more.map"
[ "$(unnamed "$work/more.map")" = libQt6BundledNewCodec.a ] ||
  fail "a linked library with no notice was not caught: '$(unnamed "$work/more.map")'"

# The Qt named is the Qt linked, built with the repository's patch.
qt_dir=$(sed -n 's/^Qt6_DIR:[A-Z]*=//p' "$windows/CMakeCache.txt")
[ -n "$qt_dir" ] || fail "$windows/CMakeCache.txt names no Qt6_DIR"
qt_version=$(sed -n 's/^set(PACKAGE_VERSION "\(.*\)")/\1/p' "$qt_dir/../Qt6Core/Qt6CoreConfigVersionImpl.cmake" \
  "$qt_dir/../Qt6Core/Qt6CoreConfigVersion.cmake" 2>/dev/null | head -n 1)
[ -n "$qt_version" ] || fail "no version found for the Qt in $qt_dir"
tr -d '\r' <"$notices" | grep -qE "qt6-base, version ${qt_version//./\\.}\+dfsg-[0-9]+" ||
  fail "the notices do not name Debian's qt6-base source of Qt $qt_version"
patch_in_qt=$qt_dir/../../../qt-mingw-from-debian.patch
if [ -f "$patch_in_qt" ]; then
  # The repository's copy has a licence header of four lines before the same hunks.
  tail -n +5 "$source/packaging/windows/qt-mingw.patch" | cmp -s - "$patch_in_qt" ||
    fail "the Qt in $qt_dir was built with another patch than packaging/windows/qt-mingw.patch"
fi
echo "The notices name the Qt linked, $qt_version, from Debian's qt6-base with packaging/windows/qt-mingw.patch"
echo PASS
