# The music of the real program: the playback library's sound goes to a WAV
# file through a stand-in that forwards to the real library.
add_library(vbmp3_wav_shim SHARED ${CMAKE_CURRENT_LIST_DIR}/vbmp3_wav_shim.cpp)
target_include_directories(vbmp3_wav_shim PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(vbmp3_wav_shim PRIVATE ${CMAKE_DL_LIBS})
set_target_properties(vbmp3_wav_shim PROPERTIES
  OUTPUT_NAME vbmp3
  NO_SONAME ON
  CXX_VISIBILITY_PRESET hidden
  LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests/vbmp3-wav-shim)

tarvex_add_e2e_test(e2e.music-plays-and-stops music-plays-and-stops)
tarvex_add_e2e_test(e2e.music-open-error music-open-error)
set_property(TEST e2e.music-plays-and-stops e2e.music-open-error APPEND PROPERTY ENVIRONMENT
  "TARVEX_WAV_SHIM=${CMAKE_BINARY_DIR}/tests/vbmp3-wav-shim/libvbmp3.so")
