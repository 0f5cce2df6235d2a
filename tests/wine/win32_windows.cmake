# The Windows program's windows under Wine, each script on a private X
# display in a throw-away Wine prefix: the preview switch, the crawl and the
# pointer moves that end it, the settings dialog saving, a second instance.
# They start Wine servers of their own, so they run one at a time.
function(tarvex_add_win32_window_test name)
  add_test(NAME ${name} COMMAND ${CMAKE_CURRENT_LIST_DIR}/${name} ${ARGN})
  set_tests_properties(${name} PROPERTIES
    LABELS wine
    TIMEOUT 300
    RUN_SERIAL TRUE
    ENVIRONMENT "TARVEX_BUILD=${TARVEX_PROGRAM_DIR}")
endfunction()

foreach(script win32-preview win32-saver-crawl win32-dialog-save win32-second-instance)
  tarvex_add_win32_window_test(${script})
endforeach()
