# Run by cpack once the release's stripped files are staged: makensis turns
# the same files into tarvex-<version>-setup.exe beside the zip.
if(NOT CPACK_TARVEX_MAKENSIS)
  message(FATAL_ERROR "makensis was not found: install the nsis package (scripts/setup)")
endif()

# The size the installed programs list shows: every file staged for release.
set(size 0)
file(GLOB staged LIST_DIRECTORIES false ${CPACK_TEMPORARY_DIRECTORY}/*)
foreach(file ${staged})
  file(SIZE ${file} bytes)
  math(EXPR size "${size} + ${bytes}")
endforeach()
math(EXPR size_kb "(${size} + 1023) / 1024")

set(setup ${CPACK_PACKAGE_DIRECTORY}/tarvex-${CPACK_PACKAGE_VERSION}-setup.exe)
execute_process(
  COMMAND ${CPACK_TARVEX_MAKENSIS} -V2 -DVERSION=${CPACK_PACKAGE_VERSION}
    -DSOURCE=${CPACK_TEMPORARY_DIRECTORY} -DSIZE_KB=${size_kb} -DOUTFILE=${setup}
    ${CPACK_TARVEX_NSI}
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "makensis could not make ${setup}")
endif()
message(STATUS "Setup program: ${setup} generated.")
