# The saver window host: window, picture surfaces, our StretchBlt, timer.
target_sources(tarvex_qt PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/stretch_blt.h
  ${CMAKE_CURRENT_LIST_DIR}/stretch_blt.cpp
  ${CMAKE_CURRENT_LIST_DIR}/blit_queue.h
  ${CMAKE_CURRENT_LIST_DIR}/blit_queue.cpp
  ${CMAKE_CURRENT_LIST_DIR}/blit_row.h
  ${CMAKE_CURRENT_LIST_DIR}/column_filter.h
  ${CMAKE_CURRENT_LIST_DIR}/column_filter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/widening.h
  ${CMAKE_CURRENT_LIST_DIR}/widening.cpp
  ${CMAKE_CURRENT_LIST_DIR}/widen_blocks.h
  ${CMAKE_CURRENT_LIST_DIR}/widen_blocks.cpp
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
  ${CMAKE_CURRENT_LIST_DIR}/qt_saver_window_host.h
  ${CMAKE_CURRENT_LIST_DIR}/qt_saver_window_host.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qt_saver_offscreen_desktop.h
  ${CMAKE_CURRENT_LIST_DIR}/qt_saver_offscreen_desktop.cpp)
