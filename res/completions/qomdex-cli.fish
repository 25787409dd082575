# fish completion for qomdex-cli: its options, and folders for DIRECTORY.

complete -c qomdex-cli -f -a '(__fish_complete_directories)'
complete -c qomdex-cli -l folders -d 'Treat the immediate subfolders instead'
complete -c qomdex-cli -s r -l recursive -d 'Treat every folder below each DIRECTORY too'
complete -c qomdex-cli -l max-depth --require-parameter -f -d 'With --recursive, enter at most N levels down'
complete -c qomdex-cli -s n -l dry-run -d 'Rename nothing; print what the real run would do'
complete -c qomdex-cli -l exclude --require-parameter -f -d 'Leave each entry whose own name matches PATTERN'
complete -c qomdex-cli -l journal --require-parameter -F -d 'Record each rename in FILE, for --undo'
complete -c qomdex-cli -l undo --require-parameter -F -d 'Give back the old names the renames in FILE took'
complete -c qomdex-cli -s h -l help -d 'Show the help and exit'
complete -c qomdex-cli -l version -d 'Show the version and exit'
