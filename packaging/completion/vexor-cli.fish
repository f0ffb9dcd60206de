# fish completion for vexor-cli. The program answers from its own command
# table (vexor-cli __complete WORDS...), so this script never needs updating
# when a command or option is added.
function __vexor_cli_complete
    set -l cur (commandline -ct)
    set -l words (commandline -opc) "$cur"
    set -l out ($words[1] __complete $words[2..-1] 2>/dev/null)
    or return
    switch "$out[1]"
        case files
            __fish_complete_path "$cur"
        case folders
            __fish_complete_directories "$cur" ""
        case '*'
            printf '%s\n' $out[2..-1]
    end
end
complete -c vexor-cli -f -a '(__vexor_cli_complete)'
