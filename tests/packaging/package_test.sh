#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The installed desktop files pass their validators, and the Debian package lints clean and
# depends on what the program needs at run time.
#   package_test.sh BUILD_DIR
set -eu
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cmake --install "$build" --prefix "$work/usr" >/dev/null
share=$work/usr/share
desktop-file-validate "$share/applications/org.example.Phonoduct.desktop"
appstreamcli validate --no-net "$share/metainfo/org.example.Phonoduct.metainfo.xml"
# groff reports what it cannot render on the standard error.
warnings=$(zcat "$share/man/man1/phonoduct.1.gz" | groff -ww -man -Tutf8 -z 2>&1)
[ -z "$warnings" ] || { echo "phonoduct.1: $warnings" >&2; exit 1; }
file "$share/icons/hicolor/32x32/apps/phonoduct.png" | grep -q 'PNG image data, 32 x 32'

(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" >/dev/null)
package=$(echo "$work"/phonoduct_*.deb)
lintian --fail-on error,warning "$package"
depends=$(dpkg-deb --field "$package" Depends)
for needed in libpulse0 libqt6widgets6 qt6-qpa-plugins fonts-liberation fonts-ipafont-gothic; do
    case ", $depends," in
    *", $needed"[\ ,]*) ;;
    *) echo "the package does not depend on $needed: $depends" >&2; exit 1 ;;
    esac
done
