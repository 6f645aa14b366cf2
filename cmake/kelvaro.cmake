# Compiler settings shared by every target, and the helper that declares a module.

# Sources are UTF-8; the programs speak Windows-1252, so every string literal is
# converted at compile time. clang cannot convert (the fuzz build), which only
# changes the bytes of the German texts there, never the parsing.
set(KELVARO_CHARSET_FLAGS -finput-charset=UTF-8)
if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    list(APPEND KELVARO_CHARSET_FLAGS -fexec-charset=CP1252)
endif()

add_library(kelvaro_options INTERFACE)
target_compile_options(kelvaro_options INTERFACE -Wall -Wextra ${KELVARO_CHARSET_FLAGS})
# GCC 12 reports -Wrestrict inside libstdc++'s char_traits for ordinary string
# concatenation ("x" + std::string) at -O2, a known false positive of that release.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_GREATER_EQUAL 12
   AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(kelvaro_options INTERFACE -Wno-restrict)
endif()
target_include_directories(kelvaro_options INTERFACE ${PROJECT_SOURCE_DIR}/src)

# kelvaro_version_files(folder major.minor)
#   Writes the two files that carry a program version into folder: kelvaro_version.h (the
#   version text and numbers, for the C++ code and the resource compiler) and
#   kelvaro.manifest (its assemblyIdentity). Put the folder on a target's include path:
#   the resource compiler finds the manifest there too.
function(kelvaro_version_files folder version)
    if(NOT version MATCHES "^([0-9]+)\\.([0-9]+)$")
        message(FATAL_ERROR "A program version is major.minor, not '${version}'")
    endif()
    set(KELVARO_VERSION_MAJOR ${CMAKE_MATCH_1})
    set(KELVARO_VERSION_MINOR ${CMAKE_MATCH_2})
    configure_file(${PROJECT_SOURCE_DIR}/res/kelvaro_version.h.in ${folder}/kelvaro_version.h @ONLY)
    configure_file(${PROJECT_SOURCE_DIR}/res/kelvaro.manifest.in ${folder}/kelvaro.manifest @ONLY)
endfunction()

# The project version is the programs' version: every target finds its files first.
set(KELVARO_VERSION_FOLDER ${CMAKE_BINARY_DIR}/generated/version)
kelvaro_version_files(${KELVARO_VERSION_FOLDER} ${PROJECT_VERSION})
target_include_directories(kelvaro_options INTERFACE ${KELVARO_VERSION_FOLDER})
# What the .rc files of both programs read besides the icons, so that a change rebuilds them.
set(KELVARO_RESOURCE_INPUTS ${PROJECT_SOURCE_DIR}/res/program_common.rc
    ${PROJECT_SOURCE_DIR}/res/resource_ids.h ${PROJECT_SOURCE_DIR}/res/version_info.rc
    ${KELVARO_VERSION_FOLDER}/kelvaro_version.h ${KELVARO_VERSION_FOLDER}/kelvaro.manifest)
if(WIN32)
    # ANSI Win32 throughout; the programs target Windows 7 and later.
    target_compile_definitions(kelvaro_options INTERFACE
        _WIN32_WINNT=0x0601 WINVER=0x0601 WIN32_LEAN_AND_MEAN NOMINMAX)
    target_link_options(kelvaro_options INTERFACE -static)
    # The same sources give the same program files wherever and whenever they are built:
    # no link time in the PE header, and no build folder in any text the compiler writes.
    target_link_options(kelvaro_options INTERFACE -Wl,--no-insert-timestamp)
    target_compile_options(kelvaro_options INTERFACE
        -ffile-prefix-map=${PROJECT_SOURCE_DIR}=. -ffile-prefix-map=${CMAKE_BINARY_DIR}=.)
    if(KELVARO_STRIP)
        target_link_options(kelvaro_options INTERFACE -s)
    endif()
endif()
if(KELVARO_SANITIZE)
    target_compile_options(kelvaro_options INTERFACE
        -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
    target_link_options(kelvaro_options INTERFACE -fsanitize=address,undefined)
endif()
if(KELVARO_FUZZ)
    target_compile_options(kelvaro_options INTERFACE -fsanitize=fuzzer-no-link,address,undefined)
    target_link_options(kelvaro_options INTERFACE -fsanitize=address,undefined)
endif()

# kelvaro_module(name PORTABLE files... NATIVE files... WINDOWS files... DEPENDS libs...)
#   PORTABLE  compiled in both builds (never include <windows.h>)
#   NATIVE    only in the Linux build (the portable stand-ins for the Windows edges)
#   WINDOWS   only in the MinGW build (the *_win.cpp edges)
function(kelvaro_module name)
    cmake_parse_arguments(ARG "" "" "PORTABLE;NATIVE;WINDOWS;DEPENDS;WIN_LIBS" ${ARGN})
    set(sources ${ARG_PORTABLE})
    if(WIN32)
        list(APPEND sources ${ARG_WINDOWS})
    else()
        list(APPEND sources ${ARG_NATIVE})
    endif()
    add_library(${name} STATIC ${sources})
    target_link_libraries(${name} PUBLIC kelvaro_options ${ARG_DEPENDS})
    if(WIN32 AND ARG_WIN_LIBS)
        target_link_libraries(${name} PUBLIC ${ARG_WIN_LIBS})
    endif()
endfunction()
