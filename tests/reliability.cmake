# Reliability: the fuzz corpus replayed, hostile programs, hostile
# environments and memory, all against the code of this build.
add_test(NAME fuzz_corpus_replay
  COMMAND fuzz_replay ${PROJECT_SOURCE_DIR}/fuzz/corpus/load ${PROJECT_SOURCE_DIR}/fuzz/corpus/run
          ${PROJECT_SOURCE_DIR}/fuzz/regressions)
