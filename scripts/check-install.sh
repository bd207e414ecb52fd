#!/usr/bin/env bash
# Checks an installed tree of Quillon, given its prefix (e.g. DESTDIR/usr, or a package
# unpacked with dpkg-deb -x): every file in its place, the desktop entry valid for
# desktop-file-validate, the AppStream metadata for appstreamcli (offline), the manual
# pages free of roff warnings. Exits 1 on the first failure.
#   scripts/check-install.sh PREFIX
set -euo pipefail
prefix=${1:?usage: scripts/check-install.sh PREFIX}
id=org.quillon.Quillon

expected=(
  bin/quillon bin/quillon-cli share/quillon/Quillon.htm
  share/applications/$id.desktop share/metainfo/$id.metainfo.xml
  share/icons/hicolor/scalable/apps/$id.svg
  share/man/man1/quillon.1.gz share/man/man1/quillon-cli.1.gz
  share/doc/quillon/copyright share/doc/quillon/changelog.gz
)
for size in 16 24 32 48 64 128 256; do
  expected+=("share/icons/hicolor/${size}x${size}/apps/$id.png")
done
for file in "${expected[@]}"; do
  [ -f "$prefix/$file" ] || { echo "check-install: $prefix/$file is missing"; exit 1; }
done
for program in quillon quillon-cli; do
  [ -x "$prefix/bin/$program" ] || { echo "check-install: $prefix/bin/$program is not executable"; exit 1; }
done

# Its warnings and hints count too: the entry is kept clean of them.
report=$(desktop-file-validate "$prefix/share/applications/$id.desktop" 2>&1) &&
  [ -z "$report" ] || { echo "check-install: desktop-file-validate: $report"; exit 1; }
appstreamcli validate --no-net --no-color "$prefix/share/metainfo/$id.metainfo.xml"
for page in "$prefix"/share/man/man1/*.1.gz; do
  # As lintian reads them: any warning of groff is a fault of the page.
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null) &&
    [ -z "$warnings" ] || { echo "check-install: $page: $warnings"; exit 1; }
done
echo "check-install: $prefix is complete and valid"
