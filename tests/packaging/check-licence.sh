#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright 2026 the Printer Configuration Utility authors
#
# Checks that the project says under which licence it may be used: LICENSE holds the
# GPL version 3, and every source, script and build file names its licence in an SPDX
# line and its copyright near its top. Pictures and Markdown documents carry none; the
# package's copyright file covers them.
#   check-licence.sh <source dir>
set -euo pipefail
source=$(cd "$1" && pwd)
cd "$source"
status=0

head -n 2 LICENSE | tr -s ' ' | grep -qx ' GNU GENERAL PUBLIC LICENSE' ||
  { echo "LICENSE is not the GNU General Public License" >&2; status=1; }
grep -qx ' *Version 3, 29 June 2007' LICENSE ||
  { echo "LICENSE is not version 3 of the GPL" >&2; status=1; }
if [ -f /usr/share/common-licenses/GPL-3 ] && ! cmp -s LICENSE /usr/share/common-licenses/GPL-3; then
  echo "LICENSE differs from the GPL-3 text of /usr/share/common-licenses" >&2
  status=1
fi

# The files under version control; a tree unpacked from an archive has no .git.
if [ -e .git ] && command -v git >/dev/null; then
  mapfile -t files < <(git ls-files)
else
  mapfile -t files < <(find . -path ./.git -prune -o -path './build*' -prune -o -type f -print |
                       sed 's|^\./||' | LC_ALL=C sort)
fi

checked=0
for file in "${files[@]}"; do
  case "$file" in
  LICENSE | *.md | *.png | *.bmp | *.ico | *.svg) continue ;;
  esac
  [ -f "$file" ] || continue
  # After a #! or <?xml line, within the first lines.
  top=$(head -n 4 "$file")
  if ! grep -qE 'SPDX-License-Identifier: [A-Za-z0-9.+ -]+' <<<"$top"; then
    echo "$file: no SPDX-License-Identifier line at its top" >&2
    status=1
  elif ! grep -q 'Copyright 2026 the Printer Configuration Utility authors' <<<"$top"; then
    echo "$file: no copyright line at its top" >&2
    status=1
  fi
  checked=$((checked + 1))
done

[ $status -eq 0 ] && echo "LICENSE is the GPL-3; $checked files name their licence and copyright"
exit $status
