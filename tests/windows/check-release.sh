#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright 2026 the Printer Configuration Utility authors
#
# What the release target wrote: the setup program, the .zip and the source archive,
# with SHA256SUMS right for all three. The .zip holds the programs, the twenty-four
# bitmaps, LICENSE and THIRD-PARTY-NOTICES.txt in one folder; the source archive holds,
# in one folder, the files of the commit it names, with that commit's id and time
# written into packaging/archived-commit.
#   check-release.sh WINDOWS_BUILD SOURCE_DIR
set -uo pipefail
windows=${1:-}
source=$(cd "$2" && pwd)
if [ -z "$windows" ]; then
  echo "SKIP: no Windows build to check (set QT_MINGW_PREFIX, as .ci/run does when" \
       "../shared/qt6-mingw exists)"
  exit 77
fi
fail() { echo "FAIL: $*" >&2; exit 1; }
release=$windows/release
name=tr7400config-1.00
setup=$name-win64.exe
zip=$name-win64.zip
archive=$name-src.tar.gz
for file in "$setup" "$zip" "$archive" SHA256SUMS; do
  [ -s "$release/$file" ] || fail "$release/$file is not written (the release target)"
done
work=$(mktemp -d "${TMPDIR:-/tmp}/pcu-release.XXXXXX")
trap 'rm -rf "$work"' EXIT

# The sums, of exactly the three files.
[ "$(awk '{ print $2 }' "$release/SHA256SUMS" | LC_ALL=C sort | tr '\n' ' ')" = \
  "$name-src.tar.gz $name-win64.exe $name-win64.zip " ] ||
  fail "SHA256SUMS lists: $(awk '{ print $2 }' "$release/SHA256SUMS" | tr '\n' ' ')"
(cd "$release" && sha256sum --quiet -c SHA256SUMS) || fail "SHA256SUMS does not match the files"
echo "SHA256SUMS holds the right sums of the setup program, the .zip and the source archive"

# The .zip: the installation's files, as the build made them.
bitmaps=()
for stem in Apply_Settings Restore_Default Exit_Button Print_Features Show_Features Close_Button; do
  bitmaps+=("${stem}1.bmp" "${stem}2.bmp" "${stem}1@2x.bmp" "${stem}2@2x.bmp")
done
expected=$(printf "$name-win64/%s\n" tr7400config.exe tr7400ctl.exe LICENSE THIRD-PARTY-NOTICES.txt \
  "${bitmaps[@]}" | LC_ALL=C sort)
actual=$(unzip -Z1 "$release/$zip" | grep -v '/$' | LC_ALL=C sort)
[ "$actual" = "$expected" ] || fail "the .zip holds: $(tr '\n' ' ' <<<"$actual")"
unzip -q "$release/$zip" -d "$work/zip"
for file in tr7400config.exe tr7400ctl.exe; do
  cmp -s "$windows/bin/$file" "$work/zip/$name-win64/$file" || fail "$file in the .zip differs from the build's"
done
for file in LICENSE THIRD-PARTY-NOTICES.txt; do
  cmp -s "$windows/texts/$file" "$work/zip/$name-win64/$file" || fail "$file in the .zip differs from the build's"
done
tr -d '\r' <"$work/zip/$name-win64/LICENSE" | cmp -s - "$source/LICENSE" || fail "LICENSE in the .zip is not LICENSE"
grep -qF "$archive" "$work/zip/$name-win64/THIRD-PARTY-NOTICES.txt" ||
  fail "the notices do not name the source archive $archive"
echo "The .zip holds the programs, the 24 bitmaps, LICENSE and THIRD-PARTY-NOTICES.txt"

# The source archive: one folder, the commit's files, the commit's id and time inside.
mkdir "$work/src"
tar -xzf "$release/$archive" -C "$work/src" || fail "$archive does not unpack"
unpacked=("$work"/src/*)
[ "${unpacked[*]}" = "$work/src/$name" ] || fail "$archive does not unpack into $name/ alone"
recorded=$(grep -E '^[0-9a-f]{40} [0-9]+$' "$work/src/$name/packaging/archived-commit" || true)
[ -n "$recorded" ] || fail "packaging/archived-commit in $archive names no commit"
commit=${recorded%% *}
if [ -e "$source/.git" ] && git -C "$source" cat-file -e "$commit^{commit}" 2>/dev/null; then
  [ "$(git -C "$source" log -1 --format=%ct "$commit")" = "${recorded#* }" ] ||
    fail "the archive's time is not the time of commit $commit"
  diff -u <(git -C "$source" ls-tree -r --name-only "$commit" | LC_ALL=C sort) \
    <(cd "$work/src/$name" && find . -type f | sed 's|^\./||' | LC_ALL=C sort) >&2 ||
    fail "$archive holds other files than commit $commit"
  git -C "$source" archive "$commit" LICENSE | tar -xO | cmp -s - "$work/src/$name/LICENSE" ||
    fail "LICENSE in $archive is not the commit's"
fi
echo "$archive holds commit ${commit:0:12} in $name/"
echo PASS
