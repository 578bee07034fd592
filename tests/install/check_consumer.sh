#!/usr/bin/env bash
# Builds the three games against the installation in PREFIX (made by check_install.sh) and runs
# them on an installed sample Chapter: the C++ project tests/install/consumer (CMake,
# find_package), the C program tests/install/c_consumer (pkg-config) and the Python script
# tests/install/python_consumer.py (the installed module). Each prints five names from generator
# seed 42 and the name of the key "npc-42" in world 7, and the three must print the same lines;
# `qorv generate --key` must give that name too.
#   check_consumer.sh PREFIX WORK_DIR
set -euo pipefail
prefix="$1" work="$2"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
chapter="$prefix/share/quorvane/chapters/elder_folk.qrv"
failures=0
fail() {
  echo "check_consumer: $*" >&2
  failures=$((failures + 1))
}
rm -rf "$work"
mkdir -p "$work"

# Six lines: five names and the key's name, each one name without white space.
check_lines() {
  local who="$1" lines="$2" count
  count="$(grep -c '^[^[:space:]]\+$' <<<"$lines" || true)"
  [ "$count" -eq 6 ] && [ "$(wc -l <<<"$lines")" -eq 6 ] ||
    fail "$who: expected six names, one per line, got: $lines"
}

# The C++ project, through the CMake package.
cmake -S "$here/consumer" -B "$work/cxx" -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_BUILD_TYPE=Release \
  >/dev/null
cmake --build "$work/cxx" >/dev/null
cxx_names="$("$work/cxx/names" "$chapter")"
check_lines C++ "$cxx_names"

# The C program, through pkg-config alone: the compiler and the loader find the installed files
# from what quorvane.pc says.
pc_file="$(find "$prefix" -name quorvane.pc | head -n 1)"
[ -n "$pc_file" ] || fail "no quorvane.pc under $prefix"
export PKG_CONFIG_PATH="$(dirname "$pc_file")"
libdir="$(pkg-config --variable=libdir quorvane)"
# shellcheck disable=SC2046
cc -std=c99 -Wall -Wextra -pedantic -Werror "$here/c_consumer/names.c" -o "$work/c_names" \
  $(pkg-config --cflags --libs quorvane)
c_names="$(LD_LIBRARY_PATH="$libdir" "$work/c_names" "$chapter")"
check_lines C "$c_names"
soname="$(objdump -p "$libdir/libquorvane.so" | awk '$1 == "SONAME" { print $2 }')"
[ "$soname" = "libquorvane.so.2" ] || fail "libquorvane.so has the SONAME '$soname'"
# Only the C API leaves the library.
exported="$(nm -D --defined-only "$libdir/libquorvane.so" | awk '$2 ~ /^[TDBR]$/ { print $3 }' |
  grep -v '^qv_' || true)"
[ -z "$exported" ] || fail "libquorvane.so exports more than qv_*: $(head -n 5 <<<"$exported")"

# The Python script, with the installed module first on the path of the system's Python.
python_dir="$(find "$prefix" -name 'quorvane*.so' -path '*-packages/*' -printf '%h\n' | head -n 1)"
[ -n "$python_dir" ] || fail "no Python module quorvane under $prefix"
python_names="$(QORV="$prefix/bin/qorv" PYTHONPATH="$python_dir" /usr/bin/python3 \
  "$here/python_consumer.py" "$chapter")"
check_lines Python "$python_names"

[ "$cxx_names" = "$c_names" ] || fail "C++ and C differ:"$'\n'"$cxx_names"$'\n'"--"$'\n'"$c_names"
[ "$c_names" = "$python_names" ] ||
  fail "C and Python differ:"$'\n'"$c_names"$'\n'"--"$'\n'"$python_names"
key_name="$("$prefix/bin/qorv" generate "$chapter" --key npc-42 --world-seed 7 -g 2)"
[ "$key_name" = "$(tail -n 1 <<<"$c_names")" ] ||
  fail "qorv generate --key npc-42 gives '$key_name'"

# The README shows the marked lines of each game word for word.
readme="$here/../../README.md"
for source in "$here/consumer/names.cpp" "$here/c_consumer/names.c" "$here/python_consumer.py"; do
  while IFS= read -r line; do
    grep -qxF -- "$line" "$readme" || fail "README lacks: $line"
  done < <(sed -n '/README:begin/,/README:end/{/README:/d;s/^ *//;p}' "$source")
done

# A Chapter that does not load is the program's failure, not a crash.
if "$work/cxx/names" "$prefix/share/quorvane/no_such.qrv" 2>/dev/null; then
  fail "the C++ game loaded a missing Chapter"
fi

if ((failures)); then
  echo "check_consumer: $failures failures" >&2
  exit 1
fi
echo "check_consumer: C++, C and Python give the same names:"
echo "$c_names"
