# The Windows release: a zip of everything a user copies, tarvex.scr and
# VBMP3.dll, with the sample message readme.txt and settings tarvex.ini,
# all at the top of the archive, and a setup program of the same files.
#   cmake --build build/windows-cross --target package
# writes build/windows-cross/package/tarvex-<version>-windows-x86_64.zip and
# tarvex-<version>-setup.exe (makensis, packaging/windows/).
if(NOT WIN32)
  return()
endif()

# Stripped of their debugging information; the library's import library is
# for developers only and stays out. Deferred to the end of the top folder:
# the targets exist only once every folder has been read.
function(tarvex_install_windows_program)
  install(TARGETS tarvex vbmp3
    RUNTIME DESTINATION .
    ARCHIVE DESTINATION lib EXCLUDE_FROM_ALL)
endfunction()
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL tarvex_install_windows_program)
install(FILES ${PROJECT_SOURCE_DIR}/samples/readme.txt ${PROJECT_SOURCE_DIR}/samples/tarvex.ini
  DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME tarvex)
set(CPACK_PACKAGE_VENDOR tarvex)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Text-crawl screen saver for Windows")
set(CPACK_PACKAGE_FILE_NAME tarvex-${PROJECT_VERSION}-windows-${CMAKE_SYSTEM_PROCESSOR})
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_STRIP_FILES ON)
find_program(TARVEX_MAKENSIS makensis)
set(CPACK_TARVEX_MAKENSIS ${TARVEX_MAKENSIS})
set(CPACK_TARVEX_NSI ${PROJECT_SOURCE_DIR}/packaging/windows/tarvex.nsi)
set(CPACK_PRE_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/packaging/windows/setup_program.cmake)
include(CPack)
