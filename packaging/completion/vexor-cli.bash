# bash completion for vexor-cli. The program answers from its own command
# table (vexor-cli __complete WORDS...), so this script never needs updating
# when a command or option is added.
_vexor_cli() {
    local line=${COMP_LINE:0:COMP_POINT} words cur out kind
    read -ra words <<<"$line"
    [[ $line =~ [[:space:]]$ ]] && words+=("")
    ((${#words[@]} > 1)) || return 0
    cur=${words[${#words[@]} - 1]}
    out=$("${words[0]}" __complete "${words[@]:1}" 2>/dev/null) || return 0
    kind=${out%%$'\n'*}
    case $kind in
    files)
        compopt -o filenames 2>/dev/null
        mapfile -t COMPREPLY < <(compgen -f -- "$cur")
        ;;
    folders)
        compopt -o filenames 2>/dev/null
        mapfile -t COMPREPLY < <(compgen -d -- "$cur")
        ;;
    *)
        mapfile -t COMPREPLY < <(printf '%s\n' "$out" | sed 1d)
        ;;
    esac
    # bash replaces only its own current word, which is the end of ours when
    # the word holds a '=' or ':' (--port=tcp://host:port).
    local strip=$((${#cur} - ${#COMP_WORDS[COMP_CWORD]})) i
    if ((strip > 0)); then
        for i in "${!COMPREPLY[@]}"; do
            COMPREPLY[i]=${COMPREPLY[i]:strip}
        done
    fi
    return 0
}
complete -F _vexor_cli vexor-cli
