# SPDX-License-Identifier: MIT
# The program's name and title and the words that present it, for the code (program.h), the
# desktop entry, the AppStream metainfo, the manual page and the packages of every system.
set(KC_PROGRAM kabinet-calc) # the executable, its desktop entry, icon, manual page and package
set(KC_TITLE "Калькулятор расчета кабинета ОТ") # the window's title and the program's name
set(KC_TITLE_EN "Labour Protection Classroom Calculator")
set(KC_SUMMARY "Расчет стоимости оснащения кабинета охраны труда")
set(KC_SUMMARY_EN "Estimate the cost of equipping a labour-protection training classroom")
set(KC_APP_ID ru.kabinet_calc.KabinetCalc) # AppStream
set(KC_DEVELOPERS "${KC_PROGRAM} developers")

configure_file(${CMAKE_CURRENT_LIST_DIR}/program.h.in ${PROJECT_BINARY_DIR}/generated/program.h
               @ONLY)
add_library(kc_program INTERFACE)
target_include_directories(kc_program INTERFACE ${PROJECT_BINARY_DIR}/generated)
