# The release's facts, each read from its one home:
#   PROJECT_VERSION           VERSION (read before project())
#   KELMOT_COPYRIGHT          LICENSE's copyright line, "2026 The Kelmot developers"
#   KELMOT_RELEASE_DATE       the date of the changelog's newest entry (YYYY-MM-DD),
#                             which must be this version's, as must NEWS.md's
#   KELMOT_SOURCE_DATE_EPOCH  the time of the last commit, in seconds since 1970:
#                             SOURCE_DATE_EPOCH when it is set, else git's, else
#                             the one git archive wrote into packaging/commit-time
# and the options that keep the build's folders and the time of the build out of
# what it makes, so that the same commit gives the same bytes.

file(STRINGS ${PROJECT_SOURCE_DIR}/LICENSE copyrightLine REGEX "^Copyright \\(c\\) " LIMIT_COUNT 1)
string(REGEX REPLACE "^Copyright \\(c\\) " "" KELMOT_COPYRIGHT "${copyrightLine}")

file(STRINGS ${PROJECT_SOURCE_DIR}/packaging/changelog changelog)
list(GET changelog 0 newestEntry)
string(REPLACE "." "\\." versionPattern "${PROJECT_VERSION}")
if(NOT newestEntry MATCHES "^kelmot \\(${versionPattern}\\) ")
    message(FATAL_ERROR "packaging/changelog's newest entry is not for version ${PROJECT_VERSION} "
        "(VERSION): ${newestEntry}")
endif()
file(STRINGS ${PROJECT_SOURCE_DIR}/NEWS.md newestNews REGEX "^## " LIMIT_COUNT 1)
if(NOT newestNews MATCHES "^## ${versionPattern} ")
    message(FATAL_ERROR "NEWS.md's newest entry is not for version ${PROJECT_VERSION} (VERSION): "
        "${newestNews}")
endif()
# The changelog entry's closing line: " -- NAME <ADDRESS>  Tue, 08 Dec 2026 10:20:00 +0000".
set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
foreach(line IN LISTS changelog)
    if(line MATCHES "^ -- .*  [A-Z][a-z][a-z], ([0-9][0-9]) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) ")
        list(FIND months ${CMAKE_MATCH_2} month)
        math(EXPR month "${month} + 1" OUTPUT_FORMAT DECIMAL)
        string(LENGTH ${month} length)
        if(length EQUAL 1)
            set(month 0${month})
        endif()
        set(KELMOT_RELEASE_DATE ${CMAKE_MATCH_3}-${month}-${CMAKE_MATCH_1})
        break()
    endif()
endforeach()
if(NOT KELMOT_RELEASE_DATE)
    message(FATAL_ERROR "packaging/changelog's newest entry has no closing line with its date")
endif()

if(DEFINED ENV{SOURCE_DATE_EPOCH})
    set(KELMOT_SOURCE_DATE_EPOCH $ENV{SOURCE_DATE_EPOCH})
else()
    file(STRINGS ${PROJECT_SOURCE_DIR}/packaging/commit-time KELMOT_SOURCE_DATE_EPOCH LIMIT_COUNT 1)
    if(NOT KELMOT_SOURCE_DATE_EPOCH MATCHES "^[0-9]+$")
        execute_process(COMMAND git log -1 --format=%ct
            WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
            OUTPUT_VARIABLE KELMOT_SOURCE_DATE_EPOCH OUTPUT_STRIP_TRAILING_WHITESPACE
            ERROR_QUIET)
    endif()
endif()
if(NOT KELMOT_SOURCE_DATE_EPOCH MATCHES "^[0-9]+$")
    message(FATAL_ERROR "The time of the last commit is unknown here (no git, and not a source "
        "archive made by git archive): set SOURCE_DATE_EPOCH")
endif()

# File names in the programs (the debugging information, __FILE__) relative to
# the top of the source, whatever folder it was built in. Of two matching maps
# the compiler uses the later, so the build folder comes second.
add_compile_options(-ffile-prefix-map=${PROJECT_SOURCE_DIR}/=
                    -ffile-prefix-map=${PROJECT_BINARY_DIR}/=build/)
if(WIN32)
    # No link time in the program's header.
    add_link_options(-Wl,--no-insert-timestamp)
endif()
