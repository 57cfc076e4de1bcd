# Reliability: the fuzz corpus replayed, hostile programs, hostile
# environments, the terminal after every way out, and memory, all against the
# code of this build.
add_test(NAME fuzz_corpus_replay
  COMMAND fuzz_replay ${PROJECT_SOURCE_DIR}/fuzz/corpus/load ${PROJECT_SOURCE_DIR}/fuzz/corpus/run
          ${PROJECT_SOURCE_DIR}/fuzz/regressions)
set(reliability ${CMAKE_CURRENT_SOURCE_DIR}/reliability)
foreach(t hostile_programs hostile_env terminal_env)
  add_test(NAME ${t} COMMAND ${Python3_EXECUTABLE} ${reliability}/${t}.py $<TARGET_FILE:atbasic>)
endforeach()
if(ATBASIC_SANITIZE)
  add_test(NAME memory COMMAND ${Python3_EXECUTABLE} ${reliability}/memory.py $<TARGET_FILE:atbasic> --sanitized)
else()
  add_test(NAME memory COMMAND ${Python3_EXECUTABLE} ${reliability}/memory.py $<TARGET_FILE:atbasic>)
endif()
# terminal_env owns a tmux server and memory measures a footprint: alone.
set_tests_properties(terminal_env memory PROPERTIES RUN_SERIAL TRUE)
set_tests_properties(fuzz_corpus_replay PROPERTIES TIMEOUT 300)
