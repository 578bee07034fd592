#!/usr/bin/env bash
# Builds the Debian packages of the build in BUILD_DIR (cpack -G DEB) and checks them: quorvane
# holds the programs, data, documents and desktop files, needs what the programs need (the Qt
# libraries, found by dpkg-shlibdeps, the platform plugins and the fonts) and nothing for
# developers; libquorvane2 holds the C library with its shlibs and ldconfig trigger and no
# maintainer scripts; quorvane-dev holds the headers, the static libraries, the CMake package and
# quorvane.pc in the multiarch folder; lintian finds neither an error nor a warning in any.
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
# check NAME PATTERN...: the package NAME exists, and each extended regular expression matches a
# path it holds.
check() {
  local name="$1" deb contents pattern
  shift
  deb="$(find "$out" -maxdepth 1 -name "${name}_*.deb" | head -n 1)"
  [ -n "$deb" ] || { fail "cpack made no ${name}_*.deb"; return; }
  dpkg-deb -I "$deb"
  [ "$(dpkg-deb -f "$deb" Package)" = "$name" ] || fail "$deb is not $name"
  contents="$(dpkg-deb -c "$deb" | awk '{ print $6 }')"
  for pattern in "$@"; do
    grep -qE "$pattern" <<<"$contents" || fail "$name holds nothing like $pattern"
  done
  lintian --fail-on error,warning --tag-display-limit 0 "$deb" || fail "lintian on $name"
}
check quorvane '^\./usr/bin/quorvane$' '^\./usr/bin/qorv$' \
  '/applications/org\.quorvane\.Lexicon\.desktop$' '/mime/packages/org\.quorvane\.Lexicon\.xml$' \
  '/quorvane/chapters/.*\.qrv$' '/quorvane/chapters/.*\.recipe$' '/doc/quorvane/copyright$'
check libquorvane2 '^\./usr/lib/[a-z0-9_-]+/libquorvane\.so\.2$' '/doc/libquorvane2/copyright$'
check quorvane-dev '^\./usr/include/quorvane/lexicon\.h$' '/libqorv_chapter\.a$' \
  '/cmake/QuorvaneLexicon/QuorvaneLexiconConfig\.cmake$' '^\./usr/lib/[a-z0-9_-]+/pkgconfig/quorvane\.pc$' \
  '/doc/quorvane-dev/copyright$'

library="$(find "$out" -maxdepth 1 -name 'libquorvane2_*.deb' | head -n 1)"
controls="$(dpkg-deb --ctrl-tarfile "$library" | tar -t | sed 's|^\./||')"
for control in shlibs triggers; do
  grep -qxF "$control" <<<"$controls" || fail "libquorvane2 has no $control"
done
for control in postinst postrm; do
  ! grep -qxF "$control" <<<"$controls" || fail "libquorvane2 has a $control script"
done

runtime="$(find "$out" -maxdepth 1 -name 'quorvane_*.deb' | head -n 1)"
# Nothing for developers in the end user's package.
leaked="$(dpkg-deb -c "$runtime" | awk '{ print $6 }' | grep -E '/include/|\.a$|/cmake/|\.so\.' || true)"
[ -z "$leaked" ] || fail "quorvane holds development files: $leaked"
# The package names of Depends, one a line, versions dropped.
depends="$(dpkg-deb -f "$runtime" Depends | tr ',' '\n' | awk '{ print $1 }')"
for needed in libqt6widgets6 libqt6gui6 libqt6core6 libqt6svg6 libstdc++6 libc6 qt6-qpa-plugins \
  fonts-liberation; do
  grep -qxF "$needed" <<<"$depends" || fail "Depends of quorvane lacks $needed"
done
((failures == 0))
