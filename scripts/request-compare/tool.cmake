# SPDX-License-Identifier: MIT
add_executable(dump_requests ${CMAKE_CURRENT_LIST_DIR}/dump_requests.cpp)
target_link_libraries(dump_requests PRIVATE kc_window kc_office Qt::Widgets)
kc_link_resources(dump_requests)
add_dependencies(dump_requests kc_office_uno)
