# The settings dialog's window, its choosers and the screen font list.
target_sources(tarvex_qt PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/qt_dialog_window_host.h
  ${CMAKE_CURRENT_LIST_DIR}/qt_dialog_window_host.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qt_dialog_choosers.h
  ${CMAKE_CURRENT_LIST_DIR}/qt_dialog_choosers.cpp
  ${CMAKE_CURRENT_LIST_DIR}/settings_dialog_window.h
  ${CMAKE_CURRENT_LIST_DIR}/settings_dialog_window.cpp
  ${CMAKE_CURRENT_LIST_DIR}/screen_fonts.h
  ${CMAKE_CURRENT_LIST_DIR}/screen_fonts.cpp)
