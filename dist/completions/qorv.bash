# bash completion for qorv. The commands and their options are listed once, below; an option
# that takes a value is also named in the case of _qorv_values.

_qorv_commands="inspect generate chapter"
_qorv_chapter_commands="new convert blend check"
_qorv_inspect_options="--json --help"
_qorv_generate_options="--count --level --validation --structural --statistical --prefixes
  --suffixes --auto --initial --seed --log --unique --novel --min-length --max-length
  --starts-with --ends-with --contains --exclude --deny --format --explain --output --encoding
  --stats --store --trailing-line --key --keys --world-seed --part --template --min-typicality
  --max-typicality --typical --sort --help"
_qorv_new_options="--output --title --line1 --line2 --date --options --special-consonants --soft
  --multi --y-semi --y-consonant --u-semi --join-words --input-encoding --pick --seed --quiet --force
  --help"
_qorv_convert_options="--output --force --help"
_qorv_blend_options="--output --weights --options --seed --force --help"
_qorv_check_options="--json --help"

# Completes the value of option $1; returns 1 when $1 takes no value.
_qorv_values() {
  local cur="$2"
  case "$1" in
    -g | --level) COMPREPLY=($(compgen -W "0 1 2 3" -- "$cur")) ;;
    -v | --validation) COMPREPLY=($(compgen -W "0 1 2" -- "$cur")) ;;
    --encoding | --input-encoding) COMPREPLY=($(compgen -W "utf-8 cp1252" -- "$cur")) ;;
    --pick) COMPREPLY=($(compgen -W "first spread random" -- "$cur")) ;;
    --format) COMPREPLY=($(compgen -W "text json csv" -- "$cur")) ;;
    --sort) COMPREPLY=($(compgen -W "typicality" -- "$cur")) ;;
    --log | -o | --output | --keys) COMPREPLY=($(compgen -f -- "$cur")) ;;
    --deny) COMPREPLY=($(compgen -W "default" -- "$cur") $(compgen -f -- "$cur")) ;;
    -n | --count | -i | --initial | --seed | --min-length | --max-length | --starts-with | \
      --ends-with | --contains | --exclude | --title | --line1 | --line2 | --date | --options | \
      --special-consonants | --key | --world-seed | --weights | --part | --template | \
      --min-typicality | --max-typicality) COMPREPLY=() ;;
    *) return 1 ;;
  esac
  return 0
}

_qorv() {
  local cur="${COMP_WORDS[COMP_CWORD]}" prev="${COMP_WORDS[COMP_CWORD - 1]}"
  local command="" word
  for word in "${COMP_WORDS[@]:1:COMP_CWORD-1}"; do
    case "$word" in
      inspect | generate) command="$word"; break ;;
      chapter) command="chapter" ;;
      new | convert | blend | check) [ "$command" = chapter ] && { command="$word"; break; } ;;
    esac
  done
  if [ -z "$command" ]; then
    COMPREPLY=($(compgen -W "$_qorv_commands --help --version" -- "$cur"))
    return
  fi
  if [ "$command" = chapter ]; then
    COMPREPLY=($(compgen -W "$_qorv_chapter_commands --help" -- "$cur"))
    return
  fi
  _qorv_values "$prev" "$cur" && return
  if [[ "$cur" == -* ]]; then
    local options="_qorv_${command}_options"
    COMPREPLY=($(compgen -W "${!options}" -- "$cur"))
  else
    if [ "$command" = new ]; then
      COMPREPLY=($(compgen -f -- "$cur"))  # the word list: any file
    else
      # The Chapter: .qrv files, recipes (generate and inspect) and folders.
      COMPREPLY=($(compgen -f -X '!*.qrv' -- "$cur") $(compgen -d -- "$cur"))
      if [ "$command" = generate ] || [ "$command" = inspect ]; then
        COMPREPLY+=($(compgen -f -X '!*.recipe' -- "$cur"))
      fi
    fi
  fi
}

complete -o filenames -F _qorv qorv
