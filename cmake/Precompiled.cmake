# SPDX-License-Identifier: MIT
# Qt's headers are most of what a file of the window, the office layer and their tests
# compiles: a small file of kc_office takes 3.2 s of processor time alone, 0.9 s with the
# headers precompiled, a file of the window 5.5 s and 2.0 s, a test of the window 11.2 s and
# 5.8 s; the precompiled header itself costs 11 to 17 s once per target. Whole targets of the
# default tree: kc_window 64.5 s and 33.2 s, kc_office 47.3 s and 36.1 s; a target of five files
# gains nothing (kc_access: 16.9 s and 19.8 s). kc_precompile_qt(<target> [TEST]) precompiles
# them for a target of many Qt files (TEST: GoogleTest's and QtTest's headers too). A header
# takes 150 to 200 MB of disk in its build tree. Off with -DKC_PRECOMPILED_HEADERS=OFF, to see
# that every file includes what it uses.
option(KC_PRECOMPILED_HEADERS "Precompile Qt's headers for the Qt-heavy targets" ON)

set(KC_PRECOMPILED_QT
    <QApplication> <QWidget> <QObject> <QString> <QStringList> <QFile> <QDir> <QFileInfo>
    <QTextDocument> <QLabel> <QTimer> <QVariant> <QPixmap> <string> <vector> <functional>
    <memory>)

function(kc_precompile_qt target)
  if(NOT KC_PRECOMPILED_HEADERS)
    return()
  endif()
  cmake_parse_arguments(PARSE_ARGV 1 arg "TEST" "" "")
  set(headers ${KC_PRECOMPILED_QT})
  if(arg_TEST)
    list(APPEND headers <gtest/gtest.h> <QTest>)
  endif()
  target_precompile_headers(${target} PRIVATE ${headers})
endfunction()
