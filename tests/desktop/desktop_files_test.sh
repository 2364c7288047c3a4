#!/usr/bin/env bash
# The program's place on the desktop: the menu entry and the software centres' description
# pass their validators, the description's screenshots are pictures the help pages ship,
# and an install puts every file where the desktop looks for it under the application id.
# Usage: desktop_files_test.sh SOURCE_DIR BUILD_DIR. Ends with 77 (skipped) without the
# validators.
set -euo pipefail
source_dir=$1 build_dir=$2
id=org.lumivane.Lumivane

for tool in desktop-file-validate appstreamcli; do
  command -v "$tool" >/dev/null || { echo "$tool is missing (scripts/setup installs it)"; exit 77; }
done
desktop-file-validate "$source_dir/resources/desktop/$id.desktop"
# Every remark counts, down to the pedantic ones, but for the capitals the id has by choice.
report=$(appstreamcli validate --pedantic --no-net "$build_dir/$id.metainfo.xml") || { echo "$report"; exit 1; }
if grep -E '^[EWIP]:' <<<"$report" | grep -v cid-contains-uppercase-letter; then exit 1; fi

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
DESTDIR=$stage cmake --install "$build_dir" --prefix /usr >/dev/null
root=$stage/usr
failed=0
expect() { [ -f "$root/$1" ] || { echo "not installed: /usr/$1"; failed=1; }; }

for file in bin/lumivane "share/applications/$id.desktop" "share/metainfo/$id.metainfo.xml" \
            "share/mime/packages/$id.xml" share/man/man1/lumivane.1 \
            "share/icons/hicolor/48x48/apps/$id.png" "share/icons/hicolor/scalable/apps/$id.svg" \
            share/lumivane/help/index.html; do
  expect "$file"
done
# https://lumivane.org/help/ is the help folder the program installs.
for url in $(grep -o 'https://lumivane.org/help/[^<]*' "$build_dir/$id.metainfo.xml"); do
  expect "share/lumivane/help/${url#https://lumivane.org/help/}"
done
exit $failed
