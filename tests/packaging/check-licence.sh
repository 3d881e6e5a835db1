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

# The files that must name their licence; one awk pass reads the top of each.
checked=()
for file in "${files[@]}"; do
  case "$file" in
  LICENSE | *.md | *.png | *.bmp | *.ico | *.svg) continue ;;
  esac
  [ -f "$file" ] && checked+=("$file")
done
# After a #! or <?xml line, within the first lines.
missing=$(awk '
  FNR == 1 { if (NR > 1) report(); name = FILENAME; licence = 0; copyright = 0 }
  FNR <= 4 && /SPDX-License-Identifier: [A-Za-z0-9.+ -]+/ { licence = 1 }
  FNR <= 4 && /Copyright 2026 the Printer Configuration Utility authors/ { copyright = 1 }
  function report() {
    if (!licence) print name ": no SPDX-License-Identifier line at its top"
    else if (!copyright) print name ": no copyright line at its top"
  }
  END { if (NR > 0) report() }' "${checked[@]}")
if [ -n "$missing" ]; then
  echo "$missing" >&2
  status=1
fi
checked=${#checked[@]}

[ $status -eq 0 ] && echo "LICENSE is the GPL-3; $checked files name their licence and copyright"
exit $status
