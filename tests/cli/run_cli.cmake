# Runs the built qomdex-cli, under the cross build's emulator if there is one, on a directory
# whose name is not ASCII, nor in any one Windows code page, given on the command line.
# Expects CLI (the executable), EMULATOR (space-separated, may be empty) and WORK (a scratch
# directory).
separate_arguments(emulator UNIX_COMMAND "${EMULATOR}")
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/Δέλτα 日本")
file(WRITE "${WORK}/Δέλτα 日本/01 Öl.txt" "payload")

# A relative path, so the emulator needs no drive mapping for it.
execute_process(COMMAND ${emulator} "${CLI}" "Δέλτα 日本"
  WORKING_DIRECTORY "${WORK}" RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "qomdex-cli ended with ${status}:\n${out}${err}")
endif()
string(FIND "${out}" "'01 Öl.txt' -> Öl.txt" line)
if(line EQUAL -1)
  message(FATAL_ERROR "no line for the rename in:\n${out}")
endif()
file(READ "${WORK}/Δέλτα 日本/Öl.txt" content)
if(NOT content STREQUAL "payload")
  message(FATAL_ERROR "the renamed file holds '${content}'")
endif()
