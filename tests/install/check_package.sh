#!/usr/bin/env bash
# Builds the Debian package of the build in BUILD_DIR (cpack -G DEB) and checks its control data:
# the package name and the dependencies the programs need (the Qt libraries, found by
# dpkg-shlibdeps, the platform plugins and the fonts), and that lintian finds no error in it.
#   check_package.sh BUILD_DIR
set -euo pipefail
build="$1"
out="$build/package-test"
rm -rf "$out"
mkdir -p "$out"
(cd "$out" && cpack --config "$build/CPackConfig.cmake" -G DEB >/dev/null)
deb="$(find "$out" -maxdepth 1 -name 'quorvane_*.deb' | head -n 1)"
[ -n "$deb" ] || { echo "check_package: cpack made no quorvane_*.deb" >&2; exit 1; }
dpkg-deb -I "$deb"

failures=0
# The package names of Depends, one a line, versions dropped.
depends="$(dpkg-deb -f "$deb" Depends | tr ',' '\n' | awk '{ print $1 }')"
for needed in libqt6widgets6 libqt6gui6 libqt6core6 libqt6svg6 libstdc++6 libc6 qt6-qpa-plugins \
  fonts-liberation; do
  grep -qxF "$needed" <<<"$depends" || {
    echo "check_package: Depends lacks $needed" >&2
    failures=$((failures + 1))
  }
done
[ "$(dpkg-deb -f "$deb" Package)" = quorvane ] || { echo "check_package: wrong name" >&2; exit 1; }
contents="$(dpkg-deb -c "$deb")"
for path in ./usr/bin/quorvane ./usr/bin/qorv ./usr/share/applications/org.quorvane.Lexicon.desktop \
  ./usr/share/doc/quorvane/copyright; do
  grep -q " $path\$" <<<"$contents" || {
    echo "check_package: the package lacks $path" >&2
    failures=$((failures + 1))
  }
done

# lintian: errors fail the check; warnings are shown.
lintian --fail-on error --tag-display-limit 0 "$deb" || failures=$((failures + 1))
((failures == 0))
