#!/usr/bin/env bash
# Every long option that `qorv COMMAND --help` lists is in the manual page and in the bash, zsh
# and fish completions, so that none of them falls behind the program.
#   check_cli_docs.sh QORV_BINARY SOURCE_DIR
set -euo pipefail
qorv="$1"
dist="$2/dist"
# The manual page writes a hyphen as "\-".
man="$(sed 's/\\-/-/g' "$dist/man/qorv.1")"
failed=0
for command in "" "inspect" "generate" "chapter new" "chapter convert" "chapter blend" "chapter check"; do
  # shellcheck disable=SC2086
  options="$("$qorv" $command --help | grep -oE -- '--[a-z][a-z0-9-]*' | sort -u | grep -vx -- '--help')"
  for option in $options; do
    for place in man "$dist/completions/qorv.bash" "$dist/completions/_qorv" \
      "$dist/completions/qorv.fish"; do
      if [[ "$place" == man ]]; then
        text="$man"
        # fish names a long option without its dashes.
      elif [[ "$place" == *.fish ]]; then
        text="$(sed -E 's/-l ([a-z0-9-]+)/--\1/g' "$place")"
      else
        text="$(cat "$place")"
      fi
      if ! grep -qF -- "$option" <<<"$text"; then
        echo "qorv ${command:-(no command)}: $option is missing from ${place##*/}" >&2
        failed=1
      fi
    done
  done
done
exit "$failed"
