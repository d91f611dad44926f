# bash completion for vqrtool. The commands, their options and the options'
# values come from `vqrtool --help`, so they are always those of the vqrtool
# being completed; arguments complete to recordings (*.DAT) and folders, and
# for a command whose usage names FILE.vqa to saved evaluations as well.

_vqrtool_help() {
  local program=$1
  [[ $program == "~/"* ]] && program=$HOME/${program#"~/"}
  if [[ ${_vqrtool_help_of-} != "$program" ]]; then
    _vqrtool_help_text=$("$program" --help 2>/dev/null)
    _vqrtool_help_of=$program
  fi
}

# The usage lines of one command.
_vqrtool_usage_of() {
  local line on=0
  while IFS= read -r line; do
    if [[ $line == "  vqrtool "* ]]; then
      on=0
      [[ $line == "  vqrtool $1 "* || $line == "  vqrtool $1" ]] && on=1
    elif [[ $line != " "* ]]; then
      on=0
    fi
    ((on)) && printf '%s\n' "$line"
  done <<<"$_vqrtool_help_text"
}

# Folders and recordings (*.DAT in any case), one entry per line of compgen,
# so that names with blanks stay whole.
_vqrtool_recordings() {
  mapfile -t COMPREPLY < <(compgen -d -- "$1"; compgen -f -X '!*.[Dd][Aa][Tt]' -- "$1")
}

_vqrtool() {
  local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]}
  COMPREPLY=()
  _vqrtool_help "${COMP_WORDS[0]}"
  if ((COMP_CWORD == 1)); then
    local commands
    commands=$(sed -n 's/^  vqrtool \([a-z][a-z]*\).*/\1/p' <<<"$_vqrtool_help_text")
    COMPREPLY=($(compgen -W "$commands --help --version" -- "$cur"))
    return
  fi
  local usage
  usage=$(_vqrtool_usage_of "${COMP_WORDS[1]}")

  # The value of an option, as the usage shows it after the option's name.
  if [[ $prev == -* ]]; then
    local value
    value=$(grep -oE -- "(^|[ [|])$prev [^] ]+" <<<"$usage" | head -n 1)
    if [[ -n $value ]]; then
      value=${value##* }
      case $value in
        FILE*)
          compopt -o filenames 2>/dev/null
          mapfile -t COMPREPLY < <(compgen -f -- "$cur")
          ;;
        OUT*)
          # An output: folders and files of the types it may be (OUT.png|.svg|.pdf),
          # never a recording, which it would replace.
          compopt -o filenames 2>/dev/null
          local types=${value#OUT} f ext
          types="|${types%%|-*}|"
          types=${types,,}
          mapfile -t COMPREPLY < <(compgen -d -- "$cur")
          while IFS= read -r f; do
            [[ -z $f || -d $f ]] && continue
            ext=${f##*/}
            ext=${ext##*.}
            ext=${ext,,}
            if [[ $types == "||" ]]; then
              [[ $f == *.* && $ext == dat ]] && continue
            else
              [[ $f == *.* && $types == *"|.$ext|"* ]] || continue
            fi
            COMPREPLY+=("$f")
          done < <(compgen -f -- "$cur")
          ;;
        *.DAT*)
          compopt -o filenames 2>/dev/null
          _vqrtool_recordings "$cur"
          ;;
        NAME)
          if [[ $prev == --printer ]] && command -v lpstat >/dev/null; then
            COMPREPLY=($(compgen -W "$(LC_ALL=C lpstat -e 2>/dev/null)" -- "$cur"))
          fi
          ;;
        *"|"*)
          # Alternatives; A..B is a range of numbers.
          local words=() w
          for w in ${value//|/ }; do
            if [[ $w =~ ^([0-9]+)\.\.([0-9]+)$ ]]; then
              words+=($(seq "${BASH_REMATCH[1]}" "${BASH_REMATCH[2]}"))
            else
              words+=("$w")
            fi
          done
          COMPREPLY=($(compgen -W "${words[*]}" -- "$cur"))
          ;;
      esac
      return
    fi
  fi

  if [[ $cur == -* ]]; then
    local options
    options=$(grep -oE -- "(^|[ [|])--?[a-z][a-z-]*" <<<"$usage" | sed 's/^[ [|]//' | sort -u)
    COMPREPLY=($(compgen -W "$options" -- "$cur"))
    return
  fi
  compopt -o filenames 2>/dev/null
  _vqrtool_recordings "$cur"
  # A command that takes saved evaluations too.
  if [[ $usage == *FILE.vqa* ]]; then
    mapfile -t -O "${#COMPREPLY[@]}" COMPREPLY < <(compgen -f -X '!*.[Vv][Qq][Aa]' -- "$cur")
  fi
}

complete -F _vqrtool vqrtool
