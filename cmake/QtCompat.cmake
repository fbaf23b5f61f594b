# SPDX-License-Identifier: MIT
# What the build asks of Qt 6 and Qt 5.15 alike where the two differ.

# kc_add_resources(<target> <name> PREFIX <prefix> FILES <file>...)
# Compiles the files into the target's resources under :<prefix>/<alias>, each file's alias being
# its QT_RESOURCE_ALIAS source property (else its path). Qt 6's qt_add_resources does it; Qt
# 5.15's takes .qrc files only, so there the .qrc is written here and rcc run on it.
# A static library's resources register wherever an executable links it.
function(kc_add_resources target name)
  cmake_parse_arguments(arg "" "PREFIX" "FILES" ${ARGN})
  if(QT_VERSION_MAJOR GREATER_EQUAL 6)
    qt_add_resources(${target} ${name} PREFIX ${arg_PREFIX} FILES ${arg_FILES})
    return()
  endif()
  set(entries "")
  foreach(file IN LISTS arg_FILES)
    get_source_file_property(alias ${file} QT_RESOURCE_ALIAS)
    if(alias)
      string(APPEND entries "    <file alias=\"${alias}\">${file}</file>\n")
    else()
      string(APPEND entries "    <file>${file}</file>\n")
    endif()
  endforeach()
  set(qrc ${CMAKE_CURRENT_BINARY_DIR}/${name}.qrc)
  file(GENERATE OUTPUT ${qrc} CONTENT
       "<RCC>\n  <qresource prefix=\"${arg_PREFIX}\">\n${entries}  </qresource>\n</RCC>\n")
  set(out ${CMAKE_CURRENT_BINARY_DIR}/qrc_${name}.cpp)
  add_custom_command(
    OUTPUT ${out}
    COMMAND Qt5::rcc --name ${name} --output ${out} ${qrc}
    DEPENDS ${qrc} ${arg_FILES} Qt5::rcc
    COMMENT "Compiling the resources ${name}"
    VERBATIM)
  # The object file that registers them must reach the executable: from inside a static library
  # nobody references it and the linker drops it, so there it travels in the link interface.
  get_target_property(type ${target} TYPE)
  if(type STREQUAL STATIC_LIBRARY)
    add_library(${target}_${name} OBJECT ${out})
    target_link_libraries(${target}_${name} PRIVATE Qt5::Core)
    target_link_libraries(${target} INTERFACE $<TARGET_OBJECTS:${target}_${name}>)
    add_dependencies(${target} ${target}_${name})
  else()
    target_sources(${target} PRIVATE ${out})
  endif()
endfunction()
