# Compile and link settings shared by the plug-in, the host harness and the
# tests.

# Warnings are errors in our own code; GoogleTest keeps its own settings.
function(qlx_warnings target)
    target_compile_options(${target} PRIVATE
        $<$<COMPILE_LANGUAGE:C,CXX>:-Wall -Wextra -Werror>)
    target_compile_definitions(${target} PRIVATE
        UNICODE _UNICODE _WIN32_WINNT=0x0500 WINVER=0x0500 _WIN32_IE=0x0501)
    target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR})
endfunction()

# The plug-in runs inside the host's process and uses no part of the C++
# runtime: no exceptions or RTTI cross its boundaries, objects are placed on
# the process heap, and local statics need no thread-safe guards because
# every call arrives on the host's threads without sharing them. On i686
# nothing unwinds through the plug-in's frames by tables, so it carries none;
# x86_64 keeps them, since its SEH walks every frame with them.
function(qlx_plugin_compile_options target)
    qlx_warnings(${target})
    target_compile_options(${target} PRIVATE
        $<$<COMPILE_LANGUAGE:CXX>:-fno-exceptions -fno-rtti -fno-threadsafe-statics>
        -Os -ffunction-sections)
    if(QLX_ARCH STREQUAL "i686")
        target_compile_options(${target} PRIVATE -fno-asynchronous-unwind-tables)
    endif()
endfunction()

# Link the compiler runtime into the image so that it imports only DLLs that
# Windows 2000 ships.
function(qlx_static_runtime target)
    target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++)
    if(QLX_ARCH STREQUAL "i686")
        target_link_options(${target} PRIVATE
            -Wl,--major-subsystem-version,5 -Wl,--minor-subsystem-version,0
            -Wl,--major-os-version,5 -Wl,--minor-os-version,0)
    endif()
endfunction()

# qlx_add_plugin(name OUTPUT_DIR dir LANGUAGE lang TRACE on|off)
# Builds one plug-in DLL from the common objects plus the variant units
# compiled with that language and trace setting. Test builds use this for the
# trace-on and no-language variants.
function(qlx_add_plugin name)
    cmake_parse_arguments(ARG "" "OUTPUT_DIR;LANGUAGE;TRACE" "" ${ARGN})
    if(ARG_TRACE)
        set(trace 1)
    else()
        set(trace 0)
    endif()

    add_library(${name}_variant OBJECT ${QLX_VARIANT_SOURCES})
    qlx_plugin_compile_options(${name}_variant)
    target_compile_definitions(${name}_variant PRIVATE
        TRACE_LOG_ENABLED=${trace} SELECTED_LANGUAGE=${ARG_LANGUAGE})

    add_library(${name} SHARED
        $<TARGET_OBJECTS:qlx_common>
        $<TARGET_OBJECTS:${name}_variant>
        ${CMAKE_SOURCE_DIR}/entry/exports-${QLX_ARCH}.def
        ${QLX_PLUGIN_RC})
    qlx_warnings(${name})
    qlx_static_runtime(${name})
    # Linked as C: the C++ library is not even offered to the linker, so
    # nothing of it can creep into the image; libgcc stays for the helpers
    # the compiler calls.
    set_target_properties(${name} PROPERTIES
        LINKER_LANGUAGE C
        PREFIX ""
        OUTPUT_NAME ${name}
        RUNTIME_OUTPUT_DIRECTORY ${ARG_OUTPUT_DIR}
        LIBRARY_OUTPUT_DIRECTORY ${ARG_OUTPUT_DIR}
        ARCHIVE_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/implib)
    # Strip the release image; decorated i686 names resolve to the plain
    # names listed in the .def file.
    target_link_options(${name} PRIVATE -s -Wl,--subsystem,windows -Wl,--gc-sections)
    if(QLX_ARCH STREQUAL "i686")
        target_link_options(${name} PRIVATE -Wl,--enable-stdcall-fixup)
    endif()
    target_link_libraries(${name} PRIVATE user32 advapi32 winspool uuid)
endfunction()
