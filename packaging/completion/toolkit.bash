# bash completion for the granular packing toolkit: tessark, sorvath, flikkor, demrun.
# Read from the programs' own --help answers when completing, so the words offered
# are always the options and commands of the installed version:
#   options        every "-x"/"--long" word in the help's option lines and usage lines
#   commands       words that follow the program's name in its usage lines ("demrun run"),
#                  or the first words of a "Commands:"/"Subcommands:" list
#   a command's    from "PROGRAM COMMAND --help" when it answers, otherwise from the
#   options        usage line of that command
# An option written with a value name ("--params FILE", "--folder DIR") completes
# that value: folders for DIR or FOLDER, nothing for numbers and sizes (N, CS, Z,
# RATIO, WxH), files otherwise.

# The option words and value names of a help text, one "option value" pair a line.
_toolkit_options() {
    grep -E '^[[:space:]]*(-|[Uu]sage:|[a-z][a-z0-9_-]* )' |
        grep -oE -- '(^|[][ ,|])--?[A-Za-z][-A-Za-z0-9]*( [A-Z][A-Za-z0-9._]*)?' |
        sed -E 's/^[][ ,|]//' | awk '!seen[$1]++'
}

# The commands a help text names, one a line.
_toolkit_commands() {
    awk -v name="$1" '
      /^[A-Za-z ]*[Cc]ommands:[ \t]*$/ { list = 1; next }
      list && /^[ \t]+[a-z]/ { print $1; next }
      { list = 0 }
      { line = $0; sub(/^[ \t]*([Uu]sage:)?[ \t]*/, "", line)
        if (index(line, name " ") == 1) {
            split(substr(line, length(name) + 2), w, /[ \t]/)
            if (w[1] ~ /^[a-z][a-z0-9-]*$/) print w[1]
        } }' | awk '!seen[$0]++'
}

_toolkit_complete() {
    local program=${COMP_WORDS[0]} cur=${COMP_WORDS[COMP_CWORD]}
    local prev="" help command="" help_of_command="" word k
    ((COMP_CWORD > 0)) && prev=${COMP_WORDS[COMP_CWORD - 1]}
    COMPREPLY=()
    help=$("$program" --help 2>/dev/null) || return 0
    local name=${program##*/}
    local commands
    commands=$(printf '%s\n' "$help" | _toolkit_commands "$name" | tr '\n' ' ')
    for ((k = 1; k < COMP_CWORD; ++k)); do
        word=${COMP_WORDS[k]}
        if [[ " "$commands" " == *" $word "* ]]; then
            command=$word
            break
        fi
    done
    if [ -n "$command" ]; then
        help_of_command=$("$program" "$command" --help 2>/dev/null) ||
            help_of_command=$(printf '%s\n' "$help" | grep -E "^[[:space:]]*([Uu]sage:)?[[:space:]]*$name $command( |\$)")
    else
        help_of_command=$help
    fi
    local options
    options=$(printf '%s\n' "$help_of_command" | _toolkit_options)
    # The value of an option that takes one.
    local value
    value=$(printf '%s\n' "$options" | awk -v o="$prev" '$1 == o && NF > 1 { print $2; exit }')
    if [ -n "$value" ]; then
        case $value in
        DIR* | FOLDER*) mapfile -t COMPREPLY < <(compgen -d -- "$cur") ;;
        N | NUM* | COUNT* | CS | Z | RATIO | WxH) ;;
        *) mapfile -t COMPREPLY < <(compgen -f -- "$cur") ;;
        esac
        return 0
    fi
    if [[ $cur == -* ]]; then
        mapfile -t COMPREPLY < <(compgen -W "$(printf '%s\n' "$options" | awk '{ print $1 }')" -- "$cur")
    elif [ -n "$commands" ] && [ -z "$command" ]; then
        mapfile -t COMPREPLY < <(compgen -W "$commands" -- "$cur")
    else
        mapfile -t COMPREPLY < <(compgen -f -- "$cur")
    fi
    return 0
}

complete -o filenames -F _toolkit_complete tessark sorvath flikkor demrun
