cmake_minimum_required(VERSION 3.25)
# Runs fenmark-cli on every register under DATA that has expected output
# beside it (NAME.args holds the arguments, NAME.expected the output) and
# compares byte for byte. A case whose expected file is NAME.stderr must
# fail with that message and print nothing else. A case without its
# expected file fails.
#
# A case that writes a register names the file @OUT@ in its arguments (a
# fresh path under the build folder): with NAME.written beside it the file
# must be written and equal that byte for byte; a failing case must leave
# it unwritten.
file(GLOB cases "${DATA}/*.args")
set(work "${CMAKE_CURRENT_BINARY_DIR}/golden_written")
file(MAKE_DIRECTORY "${work}")
if(NOT cases)
    message(FATAL_ERROR "no golden cases under ${DATA}")
endif()
foreach(args_file IN LISTS cases)
    get_filename_component(name "${args_file}" NAME_WE)
    set(expected_file "${DATA}/${name}.expected")
    set(expected_error_file "${DATA}/${name}.stderr")
    if(NOT EXISTS "${expected_file}" AND NOT EXISTS "${expected_error_file}")
        message(FATAL_ERROR "${name}: missing ${expected_file}")
    endif()
    file(READ "${args_file}" args)
    string(STRIP "${args}" args)
    string(REPLACE "@DATA@" "${DATA}" args "${args}")
    set(written "${work}/${name}.dat")
    file(REMOVE "${written}")
    string(REPLACE "@OUT@" "${written}" args "${args}")
    separate_arguments(arg_list UNIX_COMMAND "${args}")
    execute_process(COMMAND "${CLI}" ${arg_list}
        OUTPUT_VARIABLE actual RESULT_VARIABLE rc ERROR_VARIABLE err)
    if(EXISTS "${expected_error_file}")
        file(READ "${expected_error_file}" expected_error)
        if(rc EQUAL 0 OR NOT actual STREQUAL "" OR NOT err STREQUAL expected_error)
            message(FATAL_ERROR "${name}: expected exit 1 with ${expected_error_file}; "
                                "got exit ${rc}, stdout '${actual}', stderr '${err}'")
        endif()
        if(EXISTS "${written}")
            message(FATAL_ERROR "${name}: failed but wrote ${written}")
        endif()
        message(STATUS "${name}: ok")
        continue()
    endif()
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "${name}: exit ${rc}: ${err}")
    endif()
    file(READ "${expected_file}" expected)
    if(NOT actual STREQUAL expected)
        file(WRITE "${CMAKE_CURRENT_BINARY_DIR}/${name}.actual" "${actual}")
        message(FATAL_ERROR "${name}: output differs from ${expected_file}; "
                            "see ${CMAKE_CURRENT_BINARY_DIR}/${name}.actual")
    endif()
    set(expected_written_file "${DATA}/${name}.written")
    if(EXISTS "${expected_written_file}")
        if(NOT EXISTS "${written}")
            message(FATAL_ERROR "${name}: wrote no ${written}")
        endif()
        file(READ "${expected_written_file}" expected_written HEX)
        file(READ "${written}" actual_written HEX)
        if(NOT actual_written STREQUAL expected_written)
            message(FATAL_ERROR "${name}: ${written} differs from ${expected_written_file}")
        endif()
    endif()
    message(STATUS "${name}: ok")
endforeach()
