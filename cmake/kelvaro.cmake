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
if(WIN32)
    # ANSI Win32 throughout; the programs target Windows 7 and later.
    target_compile_definitions(kelvaro_options INTERFACE
        _WIN32_WINNT=0x0601 WINVER=0x0601 WIN32_LEAN_AND_MEAN NOMINMAX)
    target_link_options(kelvaro_options INTERFACE -static)
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
