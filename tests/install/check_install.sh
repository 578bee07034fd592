#!/usr/bin/env bash
# Installs the build in BUILD_DIR into the scratch prefix PREFIX and checks what is there: the
# programs, the desktop entry and AppStream metadata (validated), the icons, the manual pages,
# the completions (their syntax, and bash's answers), the sample Chapters, the documents, the
# library (the public headers, the CMake package, libquorvane.so with quorvane.pc, the Python
# module), and the menu's start in the user's Chapter folder.
#   check_install.sh BUILD_DIR PREFIX
set -euo pipefail
build="$1" prefix="$2"
app_id=org.quorvane.Lexicon
failures=0
fail() {
  echo "check_install: $*" >&2
  failures=$((failures + 1))
}

rm -rf "$prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null

expected=(
  bin/qorv bin/quorvane
  "share/applications/$app_id.desktop" "share/metainfo/$app_id.metainfo.xml"
  "share/mime/packages/$app_id.xml"
  "share/icons/hicolor/scalable/apps/$app_id.svg"
  share/man/man1/qorv.1.gz share/man/man1/quorvane.1.gz
  share/bash-completion/completions/qorv share/zsh/vendor-completions/_qorv
  share/fish/vendor_completions.d/qorv.fish share/quorvane/chapters/word_lists/river_towns.txt
  share/quorvane/chapters/deny.txt
  share/doc/quorvane/README.md share/doc/quorvane/LICENSE share/doc/quorvane/copyright
  include/quorvane/lexicon.h include/quorvane/result.h include/quorvane/quorvane.h
  include/quorvane/composer.h share/quorvane/chapters/full_names.recipe
)
for size in 16 24 32 48 64 128 256; do
  expected+=("share/icons/hicolor/${size}x${size}/apps/$app_id.png")
done
for path in "${expected[@]}"; do
  [ -e "$prefix/$path" ] || fail "missing $path"
done
for program in qorv quorvane; do
  [ -x "$prefix/bin/$program" ] || fail "bin/$program is not executable"
done
samples="$(find "$prefix/share/quorvane/chapters" -name '*.qrv' | wc -l)"
[ "$samples" -eq "$(find "$(dirname "$0")/../../chapters" -name '*.qrv' | wc -l)" ] ||
  fail "share/quorvane/chapters holds $samples Chapters"
find "$prefix" -name QuorvaneLexiconConfig.cmake | grep -q . || fail "no QuorvaneLexiconConfig.cmake"
# The public headers are the only headers installed.
private="$(find "$prefix/include" -name '*.h' ! -path "$prefix/include/quorvane/lexicon.h" \
  ! -path "$prefix/include/quorvane/result.h" ! -path "$prefix/include/quorvane/quorvane.h" \
  ! -path "$prefix/include/quorvane/composer.h")"
[ -z "$private" ] || fail "headers beyond the public ones: $private"
# The C API's shared library with its SONAME link and pkg-config file, and the Python module.
for pattern in 'libquorvane.so' 'libquorvane.so.2' 'quorvane.pc' 'quorvane.cpython-*.so'; do
  find "$prefix" -name "$pattern" | grep -q . || fail "no $pattern"
done

# Each hicolor PNG is as large as its folder says (width and height at bytes 16 to 23).
for size in 16 24 32 48 64 128 256; do
  png="$prefix/share/icons/hicolor/${size}x${size}/apps/$app_id.png"
  [ -e "$png" ] || continue
  read -r width height < <(od -An -tu1 -j16 -N8 "$png" |
    awk '{ print $1 * 16777216 + $2 * 65536 + $3 * 256 + $4, $5 * 16777216 + $6 * 65536 + $7 * 256 + $8 }')
  [ "$width $height" = "$size $size" ] || fail "icon ${size}x${size} is ${width}x${height}"
done

# The installed qorv finds the starter deny list beside the installed samples.
denied="$("$prefix/bin/qorv" generate "$prefix/share/quorvane/chapters/coastal_villages.qrv" \
  -n 1 --seed 1 --deny default --stats 2>&1 >/dev/null)" || fail "qorv generate --deny default"
grep -q 'refused by --deny' <<<"$denied" || fail "--deny default counted nothing: $denied"

desktop-file-validate "$prefix/share/applications/$app_id.desktop" || fail "desktop-file-validate"
# The MIME type builds into a database, and names *.qrv files as Chapters.
mime="$(dirname "$prefix")/mime"
rm -rf "$mime"
mkdir -p "$mime/packages"
cp "$prefix/share/mime/packages/$app_id.xml" "$mime/packages/"
update-mime-database "$mime" || fail "update-mime-database"
grep -q '^application/x-quorvane-chapter:\*\.qrv$' "$mime/globs" || fail "no glob *.qrv in $mime/globs"
grep -qx 'MimeType=application/x-quorvane-chapter;' "$prefix/share/applications/$app_id.desktop" ||
  fail "the desktop entry does not open Chapter files"
appstreamcli validate --no-net "$prefix/share/metainfo/$app_id.metainfo.xml" >/dev/null ||
  fail "appstreamcli validate"

for page in qorv quorvane; do
  warnings="$(gzip -dc "$prefix/share/man/man1/$page.1.gz" | LC_ALL=C.UTF-8 groff -man -ww -z 2>&1)"
  [ -z "$warnings" ] || fail "man page $page.1: $warnings"
done

bash -n "$prefix/share/bash-completion/completions/qorv" || fail "bash completion syntax"
zsh -n "$prefix/share/zsh/vendor-completions/_qorv" || fail "zsh completion syntax"
fish -n "$prefix/share/fish/vendor_completions.d/qorv.fish" || fail "fish completion syntax"
# shellcheck disable=SC1091
answers="$(
  source "$prefix/share/bash-completion/completions/qorv"
  COMP_WORDS=(qorv ""); COMP_CWORD=1; _qorv; echo "${COMPREPLY[*]}"
  COMP_WORDS=(qorv generate x.qrv --enc); COMP_CWORD=3; _qorv; echo "${COMPREPLY[*]}"
  COMP_WORDS=(qorv generate x.qrv -g ""); COMP_CWORD=4; _qorv; echo "${COMPREPLY[*]}"
  COMP_WORDS=(qorv chapter ""); COMP_CWORD=2; _qorv; echo "${COMPREPLY[*]}"
  COMP_WORDS=(qorv chapter new x.txt --jo); COMP_CWORD=4; _qorv; echo "${COMPREPLY[*]}"
)"
[ "$answers" = $'inspect generate chapter --help --version\n--encoding\n0 1 2 3\nnew convert blend check --help\n--join-words' ] ||
  fail "bash completion answers: $answers"

# The menu's start: quorvane --chapter-folder in a home of its own, on the offscreen platform.
# Returns once the program works in FOLDER (or after 20 seconds), then ends it.
scratch="$(dirname "$prefix")/launcher"
rm -rf "$scratch"
start_in_chapter_folder() {
  local folder="$1" tries=0 pid
  shift
  env -u XDG_DATA_HOME "$@" QT_QPA_PLATFORM=offscreen "$prefix/bin/quorvane" --chapter-folder \
    2>"$scratch/stderr" &
  pid=$!
  until [ "$(readlink "/proc/$pid/cwd" 2>/dev/null)" = "$folder" ]; do
    if ! kill -0 "$pid" 2>/dev/null || ((++tries > 200)); then
      fail "quorvane --chapter-folder did not enter $folder: $(cat "$scratch/stderr")"
      break
    fi
    sleep 0.1
  done
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
}
mkdir -p "$scratch/home"
# First start, no XDG_DATA_HOME: ~/.local/share/quorvane with every sample Chapter.
start_in_chapter_folder "$scratch/home/.local/share/quorvane" HOME="$scratch/home"
copied="$(find "$scratch/home/.local/share/quorvane" -name '*.qrv' 2>/dev/null | wc -l)"
[ "$copied" -eq "$samples" ] || fail "the first start copied $copied of $samples sample Chapters"
# A relative XDG_DATA_HOME is ignored.
start_in_chapter_folder "$scratch/home/.local/share/quorvane" HOME="$scratch/home" XDG_DATA_HOME=relative
# A folder that exists is the user's: nothing is added or overwritten.
mkdir -p "$scratch/data/quorvane"
echo "mine" >"$scratch/data/quorvane/coastal_villages.qrv"
start_in_chapter_folder "$scratch/data/quorvane" HOME="$scratch/home" XDG_DATA_HOME="$scratch/data"
[ "$(cat "$scratch/data/quorvane/coastal_villages.qrv")" = "mine" ] || fail "a user's file was overwritten"
[ "$(find "$scratch/data/quorvane" -type f | wc -l)" -eq 1 ] || fail "samples were added to a user's folder"
# A folder that holds no Chapter at all gets the samples.
rm "$scratch/data/quorvane/coastal_villages.qrv"
echo "notes" >"$scratch/data/quorvane/notes.txt"
start_in_chapter_folder "$scratch/data/quorvane" HOME="$scratch/home" XDG_DATA_HOME="$scratch/data"
copied="$(find "$scratch/data/quorvane" -name '*.qrv' | wc -l)"
[ "$copied" -eq "$samples" ] || fail "a folder without Chapters got $copied of $samples samples"
# The command line is read before any display is needed.
env -u DISPLAY -u WAYLAND_DISPLAY "$prefix/bin/quorvane" --version >/dev/null || fail "quorvane --version"

if ((failures)); then
  echo "check_install: $failures failures" >&2
  exit 1
fi
echo "check_install: $prefix holds the installation"
