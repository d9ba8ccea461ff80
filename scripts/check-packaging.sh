#!/usr/bin/env bash
# Checks what a user installs, on a finished release build (build/release by default):
# an installation into a scratch prefix runs and is removed again without a trace, the
# Debian package holds what it must and nothing it must not, and the desktop files and the
# manual page are valid.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}

fail() {
    echo "check-packaging: $*" >&2
    exit 1
}

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
echo "-- Installing into $prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null
answer=$(echo '2+3' | "$prefix/bin/tally-calc")
[ "$answer" = "2+3=5" ] || fail "the installed tally-calc answered '$answer'"
"$prefix/bin/St6unst" -n "$prefix/bin/St6unst.log"
if [ -n "$(find "$prefix" -mindepth 1)" ]; then
    find "$prefix" -mindepth 1 >&2
    fail "St6unst left the above behind"
fi

echo "-- Building the Debian package"
rm -f "$build"/tally_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
package=$(ls "$build"/tally_*.deb)
dpkg-deb -c "$package"
contents=$(dpkg-deb -c "$package" | awk '{print $6}')
for file in usr/bin/tally usr/bin/tally-calc usr/bin/UnstTally usr/share/tally/Introduction.rtf \
            usr/share/tally/Subjects/Subject.txt usr/share/man/man1/tally-calc.1.gz; do
    grep -qx "./$file" <<<"$contents" || fail "the package lacks /$file"
done
for pattern in '\.desktop$' '\.metainfo\.xml$' 'hicolor/scalable/apps/.*\.svg$' \
               'hicolor/48x48/apps/.*\.png$'; do
    grep -q "$pattern" <<<"$contents" || fail "the package lacks a file matching $pattern"
done
if grep -q 'St6unst' <<<"$contents"; then
    fail "the package carries the uninstaller or its log; the package manager removes its files"
fi
depends=$(dpkg-deb -f "$package" Depends)
for dependency in libqt6widgets6 qt6-qpa-plugins fonts-liberation; do
    grep -q "$dependency" <<<"$depends" || fail "the package does not depend on $dependency"
done

echo "-- Desktop entry, software-catalogue entry and manual page"
desktop-file-validate "$build"/packaging/*.desktop
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$build"/packaging/*.metainfo.xml
fi
warnings=$(LC_ALL=C.UTF-8 groff -k -man -Tutf8 -ww -z packaging/tally-calc.1 2>&1)
[ -z "$warnings" ] || fail "the manual page: $warnings"
