#!/usr/bin/env bash
# validate_metadata.sh DESKTOP_FILE METAINFO_FILE
# Runs the freedesktop validators on Ondal's menu entry and AppStream
# metainfo. Exits 77 (CTest's skip) when a validator is not installed.
set -u

desktop=$1
metainfo=$2

missing=()
command -v desktop-file-validate >/dev/null || missing+=("desktop-file-validate (Debian package desktop-file-utils)")
command -v appstreamcli >/dev/null || missing+=("appstreamcli (Debian package appstream)")
if [ ${#missing[@]} -gt 0 ]; then
    echo "SKIP: cannot validate the desktop metadata, not installed: ${missing[*]}"
    exit 77
fi

status=0
echo "desktop-file-validate $desktop"
desktop-file-validate "$desktop" || status=1
echo "appstreamcli validate --no-net $metainfo"
appstreamcli validate --no-net "$metainfo" || status=1
exit $status
