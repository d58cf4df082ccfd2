#!/usr/bin/env bash
# Builds the .deb and runs the checks a Debian archive and the software centres run on it:
# lintian, appstreamcli and desktop-file-validate. An error or a warning from any of them
# fails; informational tags are printed and explained in the README.
set -euo pipefail
cd "$(dirname "$0")/.."
export EXTRA_PACKAGES="lintian appstream desktop-file-utils ${EXTRA_PACKAGES:-}"
scripts/install-deps.sh
scripts/package.sh

debs=(build-package/vokabo_*.deb)
deb=${debs[0]}
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
dpkg-deb -x "$deb" "$tree"
failed=0
fail() { echo "FAILED: $*"; failed=1; }

echo "== lintian $deb"
lintian --fail-on error,warning --display-info "$deb" || fail lintian

echo "== appstreamcli"
appstreamcli validate --no-net --pedantic --strict resources/*.metainfo.xml || fail "appstreamcli validate"
# The tree check also ties the metadata to the installed menu entry and icons.
appstreamcli validate-tree --no-net --pedantic --strict "$tree" || fail "appstreamcli validate-tree"

echo "== desktop-file-validate"
for entry in "$tree"/usr/share/applications/*.desktop; do
    output=$(desktop-file-validate "$entry" 2>&1) || fail "desktop-file-validate $entry"
    [ -z "$output" ] || { echo "$output"; fail "desktop-file-validate $entry"; }
done

echo "== version and size"
package_version=$(dpkg-deb -f "$deb" Version)
changelog_version=$(dpkg-parsechangelog -l packaging/changelog -S Version)
[ "$package_version" = "$changelog_version" ] ||
    fail "packaging/changelog ends at $changelog_version, the package is $package_version"
size=$(stat -c %s "$tree/usr/lib/vokabo/vokabo")
echo "usr/lib/vokabo/vokabo: $size bytes"
[ "$size" -lt 2097152 ] || fail "the installed program is $size bytes, over 2 MB"

[ "$failed" -eq 0 ] && echo "Package checks passed: $deb"
exit "$failed"
