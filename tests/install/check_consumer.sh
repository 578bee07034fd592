#!/usr/bin/env bash
# Builds the game project tests/install/consumer against the installation in PREFIX (made by
# check_install.sh) and runs it on an installed sample Chapter: five names, one per line.
#   check_consumer.sh PREFIX WORK_DIR
set -euo pipefail
prefix="$1" work="$2"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
rm -rf "$work"
cmake -S "$here/consumer" -B "$work" -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$work" >/dev/null
names="$("$work/names" "$prefix/share/quorvane/chapters/coastal_villages.qrv")"
echo "$names"
count="$(grep -c '^[^[:space:]]\+$' <<<"$names" || true)"
if [ "$count" -ne 5 ]; then
  echo "check_consumer: expected five names, one per line, got:" >&2
  echo "$names" >&2
  exit 1
fi
# The README shows the marked lines of the project word for word.
readme="$here/../../README.md"
while IFS= read -r line; do
  grep -qxF -- "$line" "$readme" || { echo "check_consumer: README lacks: $line" >&2; exit 1; }
done < <(sed -n '/README:begin/,/README:end/{/README:/d;s/^ *//;p}' "$here/consumer/names.cpp")
# A Chapter that does not load is the program's failure, not a crash.
if "$work/names" "$prefix/share/quorvane/no_such.qrv"; then
  echo "check_consumer: a missing Chapter loaded" >&2
  exit 1
fi
