# bash completion for qomdex-cli: its options, and folders for DIRECTORY.

_qomdex_cli() {
  local options='--folders --recursive -r --max-depth --dry-run -n --exclude --journal --undo --help -h --version'
  local valued='--max-depth --exclude --journal --undo'
  local cur=${COMP_WORDS[COMP_CWORD]}
  local prev=${COMP_WORDS[COMP_CWORD - 1]}
  local IFS=$'\n'
  local i
  # After "--" every word is a DIRECTORY.
  for ((i = 1; i < COMP_CWORD; i++)); do
    if [[ ${COMP_WORDS[i]} == -- ]]; then
      COMPREPLY=($(compgen -d -- "$cur"))
      return
    fi
  done
  if [[ " $valued " == *" $prev "* ]]; then
    case $prev in
      --journal | --undo) COMPREPLY=($(compgen -f -- "$cur")) ;;
      *) COMPREPLY=() ;;  # a number or a pattern: nothing to offer
    esac
    return
  fi
  if [[ $cur == -* ]]; then
    IFS=' ' read -r -a options <<<"$options"
    COMPREPLY=($(compgen -W "${options[*]}" -- "$cur"))
    return
  fi
  COMPREPLY=($(compgen -d -- "$cur"))
}
complete -o filenames -F _qomdex_cli qomdex-cli
