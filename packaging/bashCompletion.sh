#!/usr/bin/env bash
# bashCompletion.sh <command> <program> <output>: writes the bash completion of
# <command> from what <program> --help prints, so the two cannot drift apart:
# the long options it names, and, where its usage lines read "<command> WORD",
# the subcommands. Everything else completes as file names.
set -euo pipefail
command=$1 program=$2 output=$3
help=$("$program" --help)
# Every command answers --help and --version, named in its text or not.
options=$( (printf '%s\n' --help --version; grep -oE -- '--[a-z][a-z0-9-]*' <<<"$help") | sort -u | tr '\n' ' ')
subcommands=$(sed -nE "s/^[[:space:]]+${command}[[:space:]]+([a-z][a-z0-9-]*).*/\\1/p" <<<"$help" | sort -u | tr '\n' ' ')
subcommand_branch=
[ -z "$subcommands" ] || subcommand_branch=$(printf '\n    elif [[ $COMP_CWORD -eq 1 ]]; then\n        COMPREPLY=($(compgen -W "%s" -- "$cur"))' \
  "${subcommands% }")
function=_$(tr -c 'a-zA-Z0-9\n' '_' <<<"$command")

cat >"$output" <<COMPLETION
# bash completion for ${command}; generated from its --help at build time.
${function}()
{
    local cur=\${COMP_WORDS[COMP_CWORD]}
    COMPREPLY=()
    if [[ \$cur == -* ]]; then
        COMPREPLY=(\$(compgen -W "${options% }" -- "\$cur"))${subcommand_branch}
    fi
}
complete -o bashdefault -o default -F ${function} ${command}
COMPLETION
