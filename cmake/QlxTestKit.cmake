# The test kit, dist/testkit/<arch>/: one folder that runs every test program
# and the benchmark on Windows (testkit/ builds and assembles it). Test
# programs enter the kit where they are registered with ctest (qlx_add_test),
# so that the kit runs exactly what ctest runs, with the same settings.

set(QLX_KIT_DIR ${CMAKE_SOURCE_DIR}/dist/testkit/${QLX_ARCH})

# qlx_kit_add_program(target [VAR=value ...])
# Adds a test program with the environment it runs with. A value that is a
# Windows path of the build machine (Z:...) becomes a path inside the kit:
# what lies in dist/<arch> keeps its place, as the kit holds a copy of that
# folder; any other file is copied into the kit's top folder.
function(qlx_kit_add_program target)
    set(setLines "")
    set(clearLines "")
    foreach(setting IN LISTS ARGN)
        if(NOT setting MATCHES "^([A-Za-z0-9_]+)=(.*)$")
            message(FATAL_ERROR "${target}: \"${setting}\" is not VARIABLE=value")
        endif()
        set(variable ${CMAKE_MATCH_1})
        set(value "${CMAKE_MATCH_2}")
        if(value MATCHES "^Z:(.*)$")
            string(REPLACE "\\" "/" path "${CMAKE_MATCH_1}")
            qlx_kit_path(value "${path}")
        endif()
        # Quoted whole: a value in the kit's folder may hold an ampersand.
        string(APPEND setLines "set \"${variable}=${value}\"\n")
        string(APPEND clearLines "set \"${variable}=\"\n")
    endforeach()
    set_property(GLOBAL APPEND_STRING PROPERTY QLX_KIT_PROGRAM_LINES
        "${setLines}call :program ${target}\n${clearLines}\n")
    set_property(GLOBAL APPEND PROPERTY QLX_KIT_TARGETS ${target})
endfunction()

# The kit's path (as run-tests.cmd writes it) for a path of the build machine.
function(qlx_kit_path out path)
    cmake_path(IS_PREFIX QLX_DIST_DIR "${path}" NORMALIZE inDist)
    if(inDist)
        file(RELATIVE_PATH relative ${QLX_DIST_DIR} ${path})
        string(REPLACE "/" "\\" relative "${relative}")
        if(relative STREQUAL "")
            set(${out} "%KIT%" PARENT_SCOPE)
        else()
            set(${out} "%KIT%\\${relative}" PARENT_SCOPE)
        endif()
        return()
    endif()
    # Two different files under one name would overwrite each other.
    get_filename_component(name "${path}" NAME)
    string(TOLOWER "${name}" key)
    get_property(taken GLOBAL PROPERTY QLX_KIT_FILE_${key})
    if(taken AND NOT taken STREQUAL path)
        message(FATAL_ERROR "the test kit would hold both ${taken} and ${path} as ${name}")
    elseif(NOT taken)
        set_property(GLOBAL PROPERTY QLX_KIT_FILE_${key} "${path}")
        set_property(GLOBAL APPEND PROPERTY QLX_KIT_FILES "${path}")
    endif()
    set(${out} "%KIT%\\${name}" PARENT_SCOPE)
endfunction()
