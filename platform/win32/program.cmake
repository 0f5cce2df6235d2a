# The windows of the Windows program and the program itself, tarvex.scr:
# the Win32 desktop, the saver window (GDI surfaces, StretchBlt, SetTimer),
# the settings dialog and its choosers, all on the layer above.
add_library(tarvex_win32_windows STATIC
  design_units.cpp
  dialog_choosers.cpp
  dialog_window_host.cpp
  gdi_colors.cpp
  gdi_picture_surface.cpp
  monitor_covers.cpp
  monitor_list.cpp
  saver_timer.cpp
  saver_window.cpp
  saver_window_host.cpp
  screen_fonts.cpp
  settings_dialog_window.cpp
  win32_desktop.cpp
  window_class.cpp
)
target_link_libraries(tarvex_win32_windows PUBLIC
  tarvex_core tarvex_platform gdi32 user32 comdlg32 comctl32)

# tarvex.scr: a GUI program with the screen savers' suffix, its manifest,
# icon and version embedded, the runtime linked in (the toolchain links
# statically).
set(TARVEX_MANIFEST ${CMAKE_CURRENT_SOURCE_DIR}/tarvex.manifest)
set(TARVEX_ICON ${CMAKE_CURRENT_SOURCE_DIR}/tarvex.ico)
configure_file(tarvex.rc.in ${CMAKE_CURRENT_BINARY_DIR}/tarvex.rc @ONLY)
add_executable(tarvex WIN32 main.cpp ${CMAKE_CURRENT_BINARY_DIR}/tarvex.rc)
set_target_properties(tarvex PROPERTIES SUFFIX .scr)
set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/tarvex.rc PROPERTIES
  OBJECT_DEPENDS "${TARVEX_MANIFEST};${TARVEX_ICON}")
target_link_libraries(tarvex PRIVATE tarvex_win32_windows tarvex_startup)

# The GDI crawl benchmark is a Windows program too (it needs no benchmark
# library): it is built with the program whose windows it measures.
add_subdirectory(${PROJECT_SOURCE_DIR}/bench/wine ${CMAKE_BINARY_DIR}/bench/wine)
