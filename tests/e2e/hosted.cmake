# The saver in a screen-saver daemon's window (hosted mode), and the package.
foreach(test hosted-window hosted-two-savers hosted-daemons package-install)
  tarvex_add_e2e_test(e2e.${test} ${test})
endforeach()
set_property(TEST e2e.hosted-two-savers APPEND PROPERTY ENVIRONMENT
  "TARVEX_WAV_SHIM=${CMAKE_BINARY_DIR}/tests/vbmp3-wav-shim/libvbmp3.so")
set_tests_properties(e2e.package-install PROPERTIES TIMEOUT 600)  # lintian is slow
