# SPDX-License-Identifier: MIT
# Given as CMAKE_PROJECT_INCLUDE by scripts/request-compare/run: adds the dump_requests tool to
# any tree of the calculator once all of its own targets exist.
set(KC_REQUEST_COMPARE_TOOL "${CMAKE_CURRENT_LIST_DIR}/tool.cmake")
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL include ${KC_REQUEST_COMPARE_TOOL})
