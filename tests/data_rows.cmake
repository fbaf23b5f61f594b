# SPDX-License-Identifier: MIT
# Read by CTest after a test program's discovered cases (see kc_label_data_rows in
# CMakeLists.txt): every row "Rows/Suite.Case/Row" of a parameterised case but the first gets
# the label data_row.
function(kc_label_data_rows tests)
  set(sampled "")
  foreach(test IN LISTS tests)
    if(test MATCHES "^([^/]+/[^/]+)/[^/]+$")
      list(FIND sampled "${CMAKE_MATCH_1}" seen)
      if(seen EQUAL -1)
        list(APPEND sampled "${CMAKE_MATCH_1}")
      else()
        set_tests_properties("${test}" PROPERTIES LABELS data_row)
      endif()
    endif()
  endforeach()
endfunction()
