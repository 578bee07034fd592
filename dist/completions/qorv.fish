# fish completion for qorv: the commands, then each command's options.

set -l commands inspect generate
complete -c qorv -f
complete -c qorv -n "not __fish_seen_subcommand_from $commands" -a inspect -d "show what a Chapter loads as"
complete -c qorv -n "not __fish_seen_subcommand_from $commands" -a generate -d "invent names from a Chapter"
complete -c qorv -l help -d "show the options"

# The Chapter file of either command.
complete -c qorv -n "__fish_seen_subcommand_from $commands" -k -a "(__fish_complete_suffix .qrv)"

complete -c qorv -n "__fish_seen_subcommand_from inspect" -l json -d "print one JSON object instead"

set -l generate "__fish_seen_subcommand_from generate"
complete -c qorv -n $generate -s n -l count -x -d "how many names (1..100000)"
complete -c qorv -n $generate -s g -l level -x -a "0 1 2 3" -d "generation level"
complete -c qorv -n $generate -s v -l validation -x -a "0 1 2" -d "validation level"
complete -c qorv -n $generate -l structural -d "keep to the element lengths of a seed name"
complete -c qorv -n $generate -l statistical -d "choose elements by how often they occur"
complete -c qorv -n $generate -l prefixes -d "begin like a seed name"
complete -c qorv -n $generate -l suffixes -d "end like a seed name"
complete -c qorv -n $generate -l auto -d "take the options from the Chapter"
complete -c qorv -n $generate -s i -l initial -x -d "first letter of every name"
complete -c qorv -n $generate -l seed -x -d "seed of the random source"
complete -c qorv -n $generate -l log -r -F -d "write the generation log to FILE"
complete -c qorv -n $generate -l encoding -x -a "utf-8 cp1252" -d "encoding of the names printed"
complete -c qorv -n $generate -l stats -d "report what became of the attempts"
complete -c qorv -n $generate -l store -d "append the names to STORED.txt"
complete -c qorv -n $generate -l trailing-line -d "follow each stored name with underscores"
