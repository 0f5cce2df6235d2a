# The cross build's tests run under Wine, code page 932, in a prefix in the
# build directory; Wine starts slowly: one ctest test a program.
set(TARVEX_WINE_PREFIX ${CMAKE_BINARY_DIR}/wine-prefix)
find_program(TARVEX_WINESERVER wineserver PATHS /usr/lib/wine NO_DEFAULT_PATH)
find_program(TARVEX_WINESERVER wineserver REQUIRED)
set(TARVEX_WINE_ENVIRONMENT "WINEPREFIX=${TARVEX_WINE_PREFIX}" "WINEDEBUG=-all"
  "WINEDLLOVERRIDES=mscoree,mshtml=" "LANG=ja_JP.UTF-8" "LC_ALL=ja_JP.UTF-8")

# tarvex_add_wine_test(<name> COMMAND <program> [args...]), once the prefix is ready.
function(tarvex_add_wine_test name)
  add_test(NAME ${name} ${ARGN})
  set_tests_properties(${name} PROPERTIES LABELS wine ENVIRONMENT "${TARVEX_WINE_ENVIRONMENT}"
    FIXTURES_REQUIRED wine_prefix TIMEOUT 300)
endfunction()
