# The terminal: console, keyboard and dialogs for a run attached to a terminal.
target_sources(atbasic_system PRIVATE
  src/platform/tty.cpp
  src/platform/display_text.cpp
  src/platform/key_decoder.cpp
  src/platform/key_states.cpp
  src/platform/terminal_console.cpp
  src/platform/terminal_keyboard.cpp
  src/platform/terminal_dialogs.cpp
  src/platform/zenity_dialogs.cpp
)
find_package(Threads REQUIRED)
target_link_libraries(atbasic_system PUBLIC Threads::Threads)
