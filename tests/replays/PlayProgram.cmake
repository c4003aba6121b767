# The real program replays level01-won.input in a copy of the data named with letters outside ASCII
# (passed on its command line, read and written through it): its state hashes on standard output must
# be the recorded ones, its screenshot of frame 6000 the committed picture byte for byte, on every
# system it is built for, and the language it was told to keep must be saved in that folder.
# cmake -DProgram=EXE [-DEmulator=RUNNER] -DSource=TOP -DWork=FOLDER -P PlayProgram.cmake
set(Game "${Work}/Zeráthón-ž")
file(REMOVE_RECURSE "${Work}")
file(COPY "${Source}/data/" DESTINATION "${Game}")
# The replay was recorded in Czech; a fresh game would follow the machine's language.
file(WRITE "${Game}/Settings.ini" "[Language]\nLanguage=Czech\n")
set(Replays "${Source}/tests/replays")
execute_process(
    COMMAND ${Emulator} "${Program}" --data "${Game}" --headless --no-raster --level level01
        --input "${Replays}/level01-won.input" --state-hash 10 --step-ms 10
        --screenshot "6000:${Game}/frame6000.png"
    OUTPUT_VARIABLE Hashes
    ERROR_VARIABLE Messages
    RESULT_VARIABLE Status)
if(NOT Status EQUAL 0)
    message(FATAL_ERROR "the program ended with ${Status}:\n${Messages}")
endif()
string(REPLACE "\r\n" "\n" Hashes "${Hashes}")
file(READ "${Replays}/level01-won.hashes" Expected)
if(NOT Hashes STREQUAL Expected)
    file(WRITE "${Work}/hashes.txt" "${Hashes}")
    message(FATAL_ERROR "the replay went another way: compare ${Work}/hashes.txt with ${Replays}/level01-won.hashes")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${Game}/frame6000.png"
    "${Replays}/level01-won-6000.png" RESULT_VARIABLE Differs)
if(NOT Differs EQUAL 0)
    message(FATAL_ERROR "frame 6000 differs from ${Replays}/level01-won-6000.png: see ${Game}/frame6000.png")
endif()
file(STRINGS "${Game}/Settings.ini" Language REGEX "^Language=Czech")
if(NOT Language)
    message(FATAL_ERROR "${Game}/Settings.ini lost the language")
endif()
file(REMOVE_RECURSE "${Work}")
