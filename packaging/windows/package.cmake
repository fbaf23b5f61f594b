# SPDX-License-Identifier: MIT
# Makes the installer and the portable archive from the Windows build tree (run by the target
# kc_windows_package): cmake -DBUILD=<tree> -DOUT=<folder> -DPROGRAM=<name> -DVERSION=<v> -DMAKENSIS=<makensis>
# -DNSI=<configured installer.nsi> -DSTRIP=<strip> -P package.cmake. The installer installs and its uninstaller
# removes exactly the files of the installed tree, listed here.
set(name ${PROGRAM}-${VERSION}-windows-x64)
set(stage ${BUILD}/package/${name})
file(REMOVE_RECURSE ${BUILD}/package)
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${stage} --strip
                OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
# The compiler's DLLs come with their debug information (libstdc++ is 24 MB with it, 2 MB without).
file(GLOB_RECURSE binaries ${stage}/*.dll)
execute_process(COMMAND ${STRIP} --strip-unneeded ${binaries} COMMAND_ERROR_IS_FATAL ANY)

# The file lists for NSIS: each folder's files, then the uninstaller's deletions, the deepest
# folders first.
file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE ${stage} ${stage}/*)
list(SORT files)
set(install "")
set(uninstall "")
set(dirs "")
set(current "-")
foreach(f IN LISTS files)
  get_filename_component(dir ${f} DIRECTORY)
  string(REPLACE "/" "\\" win ${f})
  string(REPLACE "/" "\\" windir "${dir}")
  if(NOT dir STREQUAL current)
    if(dir STREQUAL "")
      string(APPEND install "  SetOutPath \"$INSTDIR\"\n")
    else()
      string(APPEND install "  SetOutPath \"$INSTDIR\\${windir}\"\n")
      list(APPEND dirs ${windir})
    endif()
    set(current "${dir}")
  endif()
  string(APPEND install "  File \"${stage}/${f}\"\n")
  string(APPEND uninstall "  Delete \"$INSTDIR\\${win}\"\n")
endforeach()
list(REMOVE_DUPLICATES dirs)
list(SORT dirs)
list(REVERSE dirs)
foreach(d IN LISTS dirs)
  string(APPEND uninstall "  RMDir \"$INSTDIR\\${d}\"\n")
endforeach()
file(WRITE ${BUILD}/package/install-files.nsh "${install}")
file(WRITE ${BUILD}/package/uninstall-files.nsh "${uninstall}")

file(MAKE_DIRECTORY ${OUT})
set(setup ${OUT}/${PROGRAM}-${VERSION}-setup.exe)
set(zip ${OUT}/${name}.zip)
file(REMOVE ${setup} ${zip})
if(NOT MAKENSIS)
  message(FATAL_ERROR "makensis is missing (Debian: nsis)")
endif()
execute_process(COMMAND ${MAKENSIS} -V2 -DFILES=${BUILD}/package -DOUTFILE=${setup} ${NSI}
                COMMAND_ERROR_IS_FATAL ANY)
# The portable folder, as an archive: it runs from wherever it is unpacked.
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${zip} --format=zip ${name}
                WORKING_DIRECTORY ${BUILD}/package COMMAND_ERROR_IS_FATAL ANY)
message(STATUS "${zip}")
message(STATUS "${setup}")
