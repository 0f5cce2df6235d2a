# The saver in a screen-saver daemon's window (hosted mode).
tarvex_add_e2e_test(e2e.hosted-window hosted-window)
tarvex_add_e2e_test(e2e.hosted-bad-input hosted-bad-input)
tarvex_add_e2e_test(e2e.hosted-two-savers hosted-two-savers)
set_property(TEST e2e.hosted-two-savers APPEND PROPERTY ENVIRONMENT
  "TARVEX_WAV_SHIM=${CMAKE_BINARY_DIR}/tests/vbmp3-wav-shim/libvbmp3.so")
tarvex_add_e2e_test(e2e.package-install package-install)
tarvex_add_e2e_test(e2e.hosted-xscreensaver hosted-xscreensaver)
tarvex_add_e2e_test(e2e.hosted-xsecurelock hosted-xsecurelock)
