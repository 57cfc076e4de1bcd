# Real-terminal tests: the executable on a pseudo-terminal rendered by libvterm,
# and the example game under tmux.
find_package(PkgConfig REQUIRED)
pkg_check_modules(VTERM REQUIRED IMPORTED_TARGET vterm)
add_executable(terminal_tests terminal/pty_screen.cpp terminal/terminal_test.cpp)
target_compile_definitions(terminal_tests PRIVATE ATBASIC_PATH="$<TARGET_FILE:atbasic>")
# g++ 12 warns falsely (-Wrestrict) on string concatenation in test text.
target_compile_options(terminal_tests PRIVATE -Wno-restrict)
target_link_libraries(terminal_tests PRIVATE PkgConfig::VTERM GTest::gtest_main util)
add_dependencies(terminal_tests atbasic)
gtest_discover_tests(terminal_tests DISCOVERY_MODE PRE_TEST PROPERTIES TIMEOUT 120)
add_test(NAME example_chase_under_tmux
  COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/terminal/chase_tmux.py $<TARGET_FILE:atbasic>
          ${PROJECT_SOURCE_DIR}/examples/chase.bas)
set_tests_properties(example_chase_under_tmux PROPERTIES TIMEOUT 120)
