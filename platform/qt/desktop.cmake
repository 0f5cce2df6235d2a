target_sources(tarvex_qt PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/qt_desktop.h
  ${CMAKE_CURRENT_LIST_DIR}/qt_desktop.cpp
  ${CMAKE_CURRENT_LIST_DIR}/password_prompt.h
  ${CMAKE_CURRENT_LIST_DIR}/password_prompt.cpp
  ${CMAKE_CURRENT_LIST_DIR}/password_dialogs.h
  ${CMAKE_CURRENT_LIST_DIR}/password_dialogs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/password_change_dialog.h
  ${CMAKE_CURRENT_LIST_DIR}/password_change_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/password_widgets.h
  ${CMAKE_CURRENT_LIST_DIR}/password_widgets.cpp)

add_executable(tarvex ${CMAKE_CURRENT_LIST_DIR}/main.cpp)
target_link_libraries(tarvex PRIVATE tarvex_qt tarvex_startup)
