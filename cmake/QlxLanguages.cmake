# The languages of resources/languages.txt, read once for the whole build.
# After qlx_read_languages():
#   QLX_LANGUAGES              the codes, in table order
#   QLX_LANGUAGE_SUFFIX_<code> the rendering module's suffix ("" for none)
#   QLX_LANGUAGE_TAG_<code>    the resource language id, as written (0x0407)
#   QLX_LANGUAGE_NAME_<code>   the language's name
set(QLX_LANGUAGE_TABLE ${CMAKE_SOURCE_DIR}/resources/languages.txt)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${QLX_LANGUAGE_TABLE})

macro(qlx_read_languages)
    set(QLX_LANGUAGES "")
    file(STRINGS ${QLX_LANGUAGE_TABLE} _qlx_rows ENCODING UTF-8 REGEX "^[^#]")
    foreach(_qlx_row IN LISTS _qlx_rows)
        if(NOT _qlx_row MATCHES "^([A-Za-z-]+)[ \t]+([a-z]+|-)[ \t]+(0x[0-9A-Fa-f]+)[ \t]+(.+)$")
            message(FATAL_ERROR "${QLX_LANGUAGE_TABLE}: cannot read the row \"${_qlx_row}\"")
        endif()
        list(APPEND QLX_LANGUAGES ${CMAKE_MATCH_1})
        if(CMAKE_MATCH_2 STREQUAL "-")
            set(QLX_LANGUAGE_SUFFIX_${CMAKE_MATCH_1} "")
        else()
            set(QLX_LANGUAGE_SUFFIX_${CMAKE_MATCH_1} ${CMAKE_MATCH_2})
        endif()
        set(QLX_LANGUAGE_TAG_${CMAKE_MATCH_1} ${CMAKE_MATCH_3})
        set(QLX_LANGUAGE_NAME_${CMAKE_MATCH_1} "${CMAKE_MATCH_4}")
    endforeach()
endmacro()

# Stops the configure unless value is a language of the table or noLanguage.
function(qlx_check_language value)
    if(NOT value STREQUAL "noLanguage" AND NOT value IN_LIST QLX_LANGUAGES)
        list(JOIN QLX_LANGUAGES ", " known)
        message(FATAL_ERROR "SELECTED_LANGUAGE=${value} is not a language of resources/languages.txt; "
                            "use one of ${known}, or noLanguage")
    endif()
endfunction()

# The one unit compiled per language: settings/language.cpp with the
# rendering module's suffix, as object library qlx_language_<code>. A build
# without a language gets the unit without a suffix.
function(qlx_language_objects code)
    if(TARGET qlx_language_${code})
        return()
    endif()
    add_library(qlx_language_${code} OBJECT ${CMAKE_SOURCE_DIR}/settings/language.cpp)
    qlx_plugin_compile_options(qlx_language_${code})
    if(NOT code STREQUAL "noLanguage")
        target_compile_definitions(qlx_language_${code} PRIVATE
            "RENDERING_MODULE_SUFFIX=L\"${QLX_LANGUAGE_SUFFIX_${code}}\"")
    endif()
endfunction()
