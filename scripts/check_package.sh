#!/bin/bash
# Checks the Debian package as Debian's tools and the software centres see it:
#  - lintian --pedantic: any error or warning, or a note that a hardening
#    flag is missing, fails;
#  - desktop-file-validate on the installed desktop entry: any message fails;
#  - appstreamcli validate on the installed metainfo;
#  - appstreamcli compose on the installed files, as a distribution's catalog
#    is made: it must give the component, with its icons, and no hint.
#
#   scripts/check_package.sh path/to/korvane.deb
set -uo pipefail
deb="$(realpath "${1:?usage: check_package.sh korvane.deb}")"
for tool in lintian desktop-file-validate appstreamcli dpkg-deb; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed"; exit 1; }
done
work="$(mktemp -d /tmp/korvane-pkgcheck.XXXXXX)"
trap 'rm -rf "$work"' EXIT
dpkg-deb -x "$deb" "$work/root" || exit 1
id="$(basename "$(ls "$work"/root/usr/share/metainfo/*.metainfo.xml 2>/dev/null | head -1)" .metainfo.xml)"

source "$(dirname "$0")/checks.sh"
# Runs a command and shows what it said; succeeds when it exited 0 and said
# nothing that matches the pattern.
quiet_about() { # quiet_about pattern command...
    local pattern="$1" out rc
    shift
    out="$("$@" 2>&1)"
    rc=$?
    [[ -n "$out" ]] && sed 's/^/    /' <<<"$out"
    ((rc == 0)) && ! grep -qE "$pattern" <<<"$out"
}

# lintian says "running with root privileges is not recommended" as root.
check "lintian --pedantic: no error, no warning, no missing hardening" \
    quiet_about '^[EW]: |hardening-' lintian --pedantic --display-info --fail-on error,warning "$deb"
check "desktop-file-validate: $id.desktop" \
    quiet_about '.' desktop-file-validate "$work/root/usr/share/applications/$id.desktop"
check "appstreamcli validate: $id.metainfo.xml" \
    quiet_about '^[EWI]:' appstreamcli validate --no-net --strict "$work/root/usr/share/metainfo/$id.metainfo.xml"

check "appstreamcli compose: no error" \
    quiet_about 'E:|W:' appstreamcli compose --no-net --no-color --prefix=/usr --origin=korvane \
        --result-root="$work/out" --hints-dir="$work/hints" "$work/root"
catalog="$(zcat "$work/out/usr/share/swcatalog/xml/korvane.xml.gz" 2>/dev/null)"
check "appstreamcli compose: the component $id is in the catalog" grep -qF "<id>$id</id>" <<<"$catalog"
check "appstreamcli compose: its icon cached at 64 and 128 px" \
    test -f "$work/out/usr/share/swcatalog/icons/korvane/64x64/$id.png" \
    -a -f "$work/out/usr/share/swcatalog/icons/korvane/128x128/$id.png"
check "appstreamcli compose: no hint" grep -qx '  Hints: \[\]' "$work/hints/korvane.hints.yaml"

checks_done
