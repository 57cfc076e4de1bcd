# The real sound and media backends, driven without a sound card or display.
add_executable(media_tests
  media/media_fixtures.cpp
  media/sdl_sound_test.cpp
  media/mpv_media_test.cpp
)
target_link_libraries(media_tests PRIVATE atbasic_system GTest::gtest_main)
gtest_discover_tests(media_tests DISCOVERY_MODE PRE_TEST)

# The whole executable with sound and media files in its working directory.
add_test(NAME media_run
  COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/media_run.py $<TARGET_FILE:atbasic>)
