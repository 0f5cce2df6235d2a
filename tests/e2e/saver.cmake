# The saver under Xvfb: the crawl on screen, the input rules, the password.
tarvex_add_e2e_test(e2e.saver-crawl saver-crawl)
tarvex_add_e2e_test(e2e.saver-mouse saver-mouse)
tarvex_add_e2e_test(e2e.saver-click-key saver-click-key)
tarvex_add_e2e_test(e2e.saver-second-instance saver-second-instance)
tarvex_add_e2e_test(e2e.saver-password saver-password)
