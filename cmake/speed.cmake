# Release builds of the interpreter: link-time optimisation across the core,
# and the C++ runtime linked in, which saves the dynamic loader's work at
# every start. Sanitizer builds keep the plain settings.
if(CMAKE_BUILD_TYPE STREQUAL "Release" AND NOT ATBASIC_SANITIZE)
  include(CheckIPOSupported)
  check_ipo_supported(RESULT atbasic_ipo OUTPUT atbasic_ipo_error LANGUAGES CXX)
  if(atbasic_ipo)
    set_property(TARGET atbasic_core atbasic_system atbasic PROPERTY INTERPROCEDURAL_OPTIMIZATION TRUE)
  endif()
  target_link_options(atbasic PRIVATE -static-libstdc++ -static-libgcc)
endif()
