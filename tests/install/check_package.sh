#!/usr/bin/env bash
# Builds the Debian packages of the build in BUILD_DIR (cpack -G DEB) and checks them: quorvane
# holds the programs, data, documents and desktop files with the dependencies the programs need
# (the Qt libraries, found by dpkg-shlibdeps, the platform plugins and the fonts), and nothing for
# developers; quorvane-dev holds the headers, the static libraries and the CMake package. lintian
# finds no error in either.
#   check_package.sh BUILD_DIR
set -euo pipefail
build="$1"
out="$build/package-test"
rm -rf "$out"
mkdir -p "$out"
(cd "$out" && cpack --config "$build/CPackConfig.cmake" -G DEB >/dev/null)

failures=0
fail() {
  echo "check_package: $*" >&2
  failures=$((failures + 1))
}
# package_file NAME: the .deb of package NAME.
package_file() {
  find "$out" -maxdepth 1 -name "$1_*.deb" | head -n 1
}
# has_paths DEB PATH...: every PATH (a prefix of a file's path, as dpkg-deb -c lists it) is there.
has_paths() {
  local deb="$1" contents path
  shift
  contents="$(dpkg-deb -c "$deb" | awk '{ print $6 }')"
  for path in "$@"; do
    grep -q "^$path" <<<"$contents" || fail "$(basename "$deb") lacks $path"
  done
}

runtime="$(package_file quorvane)"
development="$(package_file quorvane-dev)"
[ -n "$runtime" ] || { echo "check_package: cpack made no quorvane_*.deb" >&2; exit 1; }
[ -n "$development" ] || { echo "check_package: cpack made no quorvane-dev_*.deb" >&2; exit 1; }
dpkg-deb -I "$runtime"
dpkg-deb -I "$development"

[ "$(dpkg-deb -f "$runtime" Package)" = quorvane ] || fail "wrong name of $runtime"
[ "$(dpkg-deb -f "$development" Package)" = quorvane-dev ] || fail "wrong name of $development"
# The package names of Depends, one a line, versions dropped.
depends="$(dpkg-deb -f "$runtime" Depends | tr ',' '\n' | awk '{ print $1 }')"
for needed in libqt6widgets6 libqt6gui6 libqt6core6 libqt6svg6 libstdc++6 libc6 qt6-qpa-plugins \
  fonts-liberation; do
  grep -qxF "$needed" <<<"$depends" || fail "Depends of quorvane lacks $needed"
done

has_paths "$runtime" ./usr/bin/quorvane ./usr/bin/qorv \
  ./usr/share/applications/org.quorvane.Lexicon.desktop \
  ./usr/share/mime/packages/org.quorvane.Lexicon.xml ./usr/share/quorvane/chapters/ \
  ./usr/share/man/man1/quorvane.1.gz ./usr/share/doc/quorvane/copyright
has_paths "$development" ./usr/include/quorvane/chapter/loader.h \
  ./usr/include/quorvane/qorv/version.h ./usr/lib/ \
  ./usr/share/doc/quorvane-dev/copyright ./usr/share/doc/quorvane-dev/changelog.gz
dpkg-deb -c "$development" | grep -q '/cmake/QuorvaneLexicon/QuorvaneLexiconConfig.cmake$' ||
  fail "quorvane-dev lacks the CMake package"
dpkg-deb -c "$development" | grep -q '/libqorv_chapter\.a$' || fail "quorvane-dev lacks the libraries"
# Nothing for developers in the end user's package.
leaked="$(dpkg-deb -c "$runtime" | awk '{ print $6 }' | grep -E '^\./usr/include/|\.a$|/cmake/' || true)"
[ -z "$leaked" ] || fail "quorvane holds development files: $leaked"

# lintian: errors fail the check; warnings are shown.
for deb in "$runtime" "$development"; do
  lintian --fail-on error --tag-display-limit 0 "$deb" || fail "lintian: $(basename "$deb")"
done
((failures == 0))
