# SPDX-License-Identifier: MIT
# Cross-compiling for 64-bit Windows on Debian with mingw-w64 (GCC, posix threads: std::thread
# and std::mutex need them) against Qt 5.15 for Windows. The Qt tree is KC_QT_WINDOWS, else the
# cache folder scripts/windows-qt fills (it unpacks the checked archive of ../shared/windows/ when
# one is there, or builds the tree from Debian's source package).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

if(NOT KC_QT_WINDOWS AND DEFINED ENV{KC_QT_WINDOWS})
  set(KC_QT_WINDOWS $ENV{KC_QT_WINDOWS})
endif()
if(NOT KC_QT_WINDOWS)
  # Only unpacks here: a build from source takes a quarter of an hour and is asked for by hand.
  execute_process(
    COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/../scripts/windows-qt --no-build
    OUTPUT_VARIABLE kc_qt_out
    RESULT_VARIABLE kc_qt_status)
  if(NOT kc_qt_status EQUAL 0)
    message(FATAL_ERROR "No Qt for Windows: run scripts/windows-qt (or set KC_QT_WINDOWS)")
  endif()
  string(STRIP "${kc_qt_out}" kc_qt_out)
  string(REGEX REPLACE ".*\n" "" KC_QT_WINDOWS "${kc_qt_out}")
endif()
set(KC_QT_WINDOWS ${KC_QT_WINDOWS} CACHE PATH "Qt 5.15 built for 64-bit Windows (mingw)")
# try_compile runs the toolchain file again in a project of its own: it keeps the folder.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES KC_QT_WINDOWS)

set(CMAKE_FIND_ROOT_PATH ${KC_QT_WINDOWS} /usr/x86_64-w64-mingw32)
set(CMAKE_PREFIX_PATH ${KC_QT_WINDOWS})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
