# The saver in a screen-saver daemon's window (hosted mode).
tarvex_add_e2e_test(e2e.hosted-window hosted-window)
