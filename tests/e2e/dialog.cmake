# The settings dialog of the real program, driven with xdotool under Xvfb.
tarvex_add_e2e_test(e2e.dialog-save dialog-save)
