# The Windows program's windows under Wine, each script on a private X
# display in a throw-away Wine prefix with Wine servers of their own, so one
# at a time.
foreach(script win32-dialog-save win32-installer)
  add_test(NAME ${script} COMMAND ${CMAKE_CURRENT_LIST_DIR}/${script})
  set_tests_properties(${script} PROPERTIES LABELS wine TIMEOUT 300 RUN_SERIAL TRUE
    ENVIRONMENT "TARVEX_BUILD=${TARVEX_PROGRAM_DIR}")
endforeach()
