#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright 2026 the Printer Configuration Utility authors
#
# Validates the desktop entry and the AppStream metainfo of the program.
#   validate-metadata.sh <folder holding both files>
# Warnings fail too. Only two notes may remain: the <developer> tag is unknown to the
# AppStream 0.16 of Debian 12 (newer ones read it instead of <developer_name>), and the
# reverse-DNS id keeps its capitals (a pedantic note).
set -euo pipefail
folder=$1
app=com.example.altrune.TR7400Config
desktop=$folder/$app.desktop
metainfo=$folder/$app.metainfo.xml
status=0

# desktop-file-validate exits 0 on warnings; any output is a finding.
if ! out=$(desktop-file-validate "$desktop" 2>&1) || [ -n "$out" ]; then
  echo "desktop-file-validate $desktop:" >&2
  echo "$out" >&2
  status=1
fi

if ! out=$(appstreamcli validate --no-net --pedantic "$metainfo" 2>&1); then
  echo "$out" >&2
  status=1
else
  unexpected=$(grep -E '^[EWI]: ' <<<"$out" |
               grep -vE '^I: [^ ]+ (unknown-tag developer|developer-name-tag-deprecated)' || true)
  if [ -n "$unexpected" ]; then
    echo "appstreamcli validate $metainfo:" >&2
    echo "$out" >&2
    status=1
  fi
fi

# The launcher and the metainfo must agree with each other.
grep -qx "Icon=$app" "$desktop" || { echo "$desktop: Icon is not $app" >&2; status=1; }
grep -q "<launchable type=\"desktop-id\">$app.desktop</launchable>" "$metainfo" ||
  { echo "$metainfo: launchable is not $app.desktop" >&2; status=1; }

[ $status -eq 0 ] && echo "desktop entry and metainfo are valid"
exit $status
