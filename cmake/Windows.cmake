# SPDX-License-Identifier: MIT
# What the build does differently for 64-bit Windows (the windows preset: mingw-w64 on Debian
# against Qt 5.15 for Windows, cmake/mingw-w64.cmake). Included by the top CMakeLists.txt when
# the target is Windows; the code's own differences are in one header per layer (platform.h).
#   - Qt for Windows has no QtSvg and no D-Bus: the pictures are rendered on the build machine by
#     a svg2bmp built there against its own Qt (kc_host_svg2bmp), the accessibility bus stays on
#     Linux (Windows' screen readers go through Qt's UI Automation).
#   - GoogleTest is built from Debian's source (/usr/src/googletest) with the cross compiler.
#   - The test programs run under wine (tests/windows/wine-run, a prefix of the build tree's own),
#     each in one process with all its cases: wine's start-up costs a second or more.

set(KC_QT_PLATFORM_COMPONENTS)

# A Windows program's folder holds everything it needs: the program is installed at its root,
# and the build tree gathers its programs, Qt's and the compiler's DLLs, Qt's plugins and
# translations in bin/ (kc_windows_runtime), where they run as installed.
set(CMAKE_INSTALL_BINDIR . CACHE PATH "The program's folder in the installation" FORCE)
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/bin)
set(CMAKE_LIBRARY_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/bin)

# GoogleTest from source, as static libraries; its CMakeLists.txt names them as
# find_package(GTest) does (GTest::gtest, GTest::gtest_main).
if(KC_BUILD_TESTS)
  set(KC_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest's source (Debian: googletest)")
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(${KC_GTEST_SOURCE} ${PROJECT_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
endif()

# The compiler's own DLLs, which every program built here needs beside it.
# (Gathered in a list of its own: emptying the variable only uncovers the cached list of the last
# configure, which then grew by three at each one.)
set(dlls "")
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                  OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
  get_filename_component(path ${path} REALPATH)
  if(NOT EXISTS ${path})
    message(FATAL_ERROR "${CMAKE_CXX_COMPILER} has no ${dll}")
  endif()
  list(APPEND dlls ${path})
endforeach()
set(KC_MINGW_RUNTIME_DLLS ${dlls} CACHE INTERNAL "The compiler's DLLs")

# wine runs the test programs: the emulator of every add_test(COMMAND <target>).
find_program(KC_WINE NAMES wine64 wine)
if(KC_BUILD_TESTS AND KC_WINE)
  set(KC_WINE_PREFIX ${PROJECT_BINARY_DIR}/wine-prefix)
  configure_file(${PROJECT_SOURCE_DIR}/tests/windows/wine-run.in ${PROJECT_BINARY_DIR}/wine-run @ONLY)
  set(CMAKE_CROSSCOMPILING_EMULATOR bash ${PROJECT_BINARY_DIR}/wine-run)
endif()

# One test per program (all its cases in one wine process), needing the prefix the wine_prefix
# test makes once per run. Takes gtest_discover_tests' arguments.
function(gtest_discover_tests target)
  cmake_parse_arguments(arg "" "TEST_PREFIX;DISCOVERY_TIMEOUT" "PROPERTIES" ${ARGN})
  set(name ${arg_TEST_PREFIX}${target})
  add_test(NAME ${name} COMMAND ${target} --gtest_brief=1)
  set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine TIMEOUT 300 ${arg_PROPERTIES})
endfunction()
function(kc_label_data_rows target)
endfunction()

# svg2bmp for the build machine, against its Qt with QtSvg (Qt 6, else Qt 5), built in a tree of
# its own under this one. KC_HOST_SVG2BMP names a ready one instead.
function(kc_host_svg2bmp)
  if(TARGET svg2bmp)
    return()
  endif()
  set(KC_HOST_SVG2BMP "" CACHE FILEPATH "svg2bmp built for the build machine (empty: build it)")
  if(KC_HOST_SVG2BMP)
    add_executable(svg2bmp IMPORTED GLOBAL)
    set_target_properties(svg2bmp PROPERTIES IMPORTED_LOCATION ${KC_HOST_SVG2BMP})
    return()
  endif()
  include(ExternalProject)
  set(dir ${PROJECT_BINARY_DIR}/host-tools)
  ExternalProject_Add(kc_host_tools
    SOURCE_DIR ${PROJECT_SOURCE_DIR}/cmake/host-tools
    BINARY_DIR ${dir}
    CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release -DKC_SOURCE_DIR=${PROJECT_SOURCE_DIR}
               -DCMAKE_TOOLCHAIN_FILE= -G Ninja
    BUILD_BYPRODUCTS ${dir}/svg2bmp
    INSTALL_COMMAND ""
    BUILD_ALWAYS ON)
  add_executable(svg2bmp IMPORTED GLOBAL)
  set_target_properties(svg2bmp PROPERTIES IMPORTED_LOCATION ${dir}/svg2bmp)
  add_dependencies(svg2bmp kc_host_tools)
endfunction()
