# The saver window host: window, picture surfaces, timer.
target_sources(tarvex_qt PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/saver_font_faces.h
  ${CMAKE_CURRENT_LIST_DIR}/saver_font_faces.cpp
  ${CMAKE_CURRENT_LIST_DIR}/saver_system_colors.h
  ${CMAKE_CURRENT_LIST_DIR}/saver_system_colors.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qt_picture_surface.h
  ${CMAKE_CURRENT_LIST_DIR}/qt_picture_surface.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qt_saver_timer.h
  ${CMAKE_CURRENT_LIST_DIR}/qt_saver_timer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qt_saver_window.h
  ${CMAKE_CURRENT_LIST_DIR}/qt_saver_window.cpp
  ${CMAKE_CURRENT_LIST_DIR}/picture_copy.h
  ${CMAKE_CURRENT_LIST_DIR}/picture_copy.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qt_saver_window_host.h
  ${CMAKE_CURRENT_LIST_DIR}/qt_saver_window_host.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qt_saver_offscreen_desktop.h
  ${CMAKE_CURRENT_LIST_DIR}/qt_saver_offscreen_desktop.cpp
  ${CMAKE_CURRENT_LIST_DIR}/monitor_covers.h
  ${CMAKE_CURRENT_LIST_DIR}/monitor_covers.cpp)

# The hosted mode: the saver in a screen-saver daemon's window.
find_package(PkgConfig REQUIRED)
pkg_check_modules(XCB REQUIRED IMPORTED_TARGET xcb)
target_sources(tarvex_qt PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/end_signals.h
  ${CMAKE_CURRENT_LIST_DIR}/end_signals.cpp
  ${CMAKE_CURRENT_LIST_DIR}/x_window.h
  ${CMAKE_CURRENT_LIST_DIR}/x_window.cpp
  ${CMAKE_CURRENT_LIST_DIR}/hosted_window_host.h
  ${CMAKE_CURRENT_LIST_DIR}/hosted_window_host.cpp
  ${CMAKE_CURRENT_LIST_DIR}/hosted_desktop.h
  ${CMAKE_CURRENT_LIST_DIR}/hosted_desktop.cpp)
target_link_libraries(tarvex_qt PUBLIC PkgConfig::XCB)
