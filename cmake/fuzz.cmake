# Fuzzing. The checks (fuzz/harness.cpp) build in every configuration, so the
# corpus replays as a plain test; the libFuzzer targets need clang and
# ATBASIC_FUZZ=ON, which instruments everything (make fuzz, make fuzz-smoke).
option(ATBASIC_FUZZ "Build the libFuzzer targets (needs clang)" OFF)

if(ATBASIC_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

add_library(atbasic_fuzz_checks STATIC fuzz/harness.cpp)
target_include_directories(atbasic_fuzz_checks PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(atbasic_fuzz_checks PUBLIC atbasic_fakes)

add_executable(fuzz_replay fuzz/replay.cpp)
target_link_libraries(fuzz_replay PRIVATE atbasic_fuzz_checks)

if(ATBASIC_FUZZ)
  foreach(t load run)
    add_executable(fuzz_${t} fuzz/fuzz_${t}.cpp)
    target_link_libraries(fuzz_${t} PRIVATE atbasic_fuzz_checks)
    target_link_options(fuzz_${t} PRIVATE -fsanitize=fuzzer)
  endforeach()
endif()
