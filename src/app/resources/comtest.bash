# bash completion for comtest.
#
# Completes the options that `comtest --help` lists; the values of --parity,
# --data-bits, --stop-bits and --baud (each element of a comma-separated
# list); for --check and --to the port names that `comtest --list-ports`
# prints, with the --port mappings already on the line; for --port a port
# name followed by "=", then a device file or "loop". The program completed
# is the one on the line (COMP_WORDS[0]), so a build's own comtest completes
# its own options.

_comtest_ports()
{
    local program=$1 i mappings=()
    for ((i = 1; i < ${#COMP_WORDS[@]} - 1; i++)); do
        # "--port ComN=PATH" arrives as the words "ComN", "=" and "PATH".
        if [[ ${COMP_WORDS[i]} == --port && ${COMP_WORDS[i + 2]} == = ]]; then
            mappings+=(--port "${COMP_WORDS[i + 1]}=${COMP_WORDS[i + 3]}")
        fi
    done
    "$program" --list-ports "${mappings[@]}" 2>/dev/null | while read -r name _; do
        printf '%s\n' "$name"
    done
}

_comtest()
{
    local program=${COMP_WORDS[0]} i=$COMP_CWORD
    local cur=${COMP_WORDS[i]} option=${COMP_WORDS[i - 1]}
    COMPREPLY=()
    # "=" is a word of its own to bash: "--parity=ev" is "--parity" "=" "ev".
    if [[ $cur == = ]]; then
        cur=""
    elif [[ $option == = ]]; then
        option=${COMP_WORDS[i - 2]}
        ((i--))
    fi

    # The device of "--port ComN=": a file, or the built-in loopback line.
    if ((i >= 2)) && [[ ${COMP_WORDS[i - 2]} == --port && $option == [Cc][Oo][Mm][0-9]* ]]; then
        compopt -o filenames
        mapfile -t COMPREPLY < <(compgen -W loop -- "$cur"; compgen -f -- "$cur")
        return
    fi

    local values
    case $option in
        --check | --to)
            COMPREPLY=($(compgen -W "$(_comtest_ports "$program")" -- "$cur"))
            return
            ;;
        --port)
            compopt -o nospace
            COMPREPLY=($(compgen -W "Com1= Com2= Com3= Com4= Com5= Com6= Com7= Com8= Com9=" -- "$cur"))
            return
            ;;
        --parity) values="none odd even mark space" ;;
        --data-bits) values="5 6 7 8" ;;
        --stop-bits) values="1 1.5 2" ;;
        --baud) values="300 1200 2400 4800 9600 14400 19200" ;;
        --bytes) return ;;
    esac
    if [[ -n $values ]]; then
        # Only the list's last element is completed: "none,ev" -> "none,even".
        local done_part=""
        [[ $cur == *,* ]] && done_part=${cur%,*},
        COMPREPLY=($(compgen -P "$done_part" -W "$values" -- "${cur##*,}"))
        return
    fi

    if [[ $cur == -* ]]; then
        local options
        # The option lines of the help's "Options:" section.
        options=$("$program" --help 2>/dev/null |
            sed -nE '/^Options:/,/^$/ s/^  (-[[:alnum:]], )?(--[[:alnum:]-]+).*/\2/p')
        COMPREPLY=($(compgen -W "$options" -- "$cur"))
    fi
}

complete -F _comtest comtest
