# Sound on SDL2_mixer and media on libmpv, linked into the system services.
find_package(SDL2 REQUIRED)
find_package(SDL2_mixer REQUIRED)
find_package(PkgConfig REQUIRED)
pkg_check_modules(MPV REQUIRED mpv)
pkg_check_modules(ALSA REQUIRED alsa)

add_library(atbasic_media STATIC
  src/platform/quiet_libraries.cpp
  src/platform/sdl_api.cpp
  src/platform/sdl_sound.cpp
  src/platform/mpv_api.cpp
  src/platform/mpv_media.cpp
)
# The libraries are opened with dlopen when a program has sound or media, so
# only their headers are used here: start-up stays quick and small.
target_include_directories(atbasic_media SYSTEM PRIVATE
  ${MPV_INCLUDE_DIRS} ${ALSA_INCLUDE_DIRS}
  $<TARGET_PROPERTY:SDL2::SDL2,INTERFACE_INCLUDE_DIRECTORIES>
  $<TARGET_PROPERTY:SDL2_mixer::SDL2_mixer,INTERFACE_INCLUDE_DIRECTORIES>)
target_link_libraries(atbasic_media PUBLIC atbasic_core PRIVATE ${CMAKE_DL_LIBS})
target_link_libraries(atbasic_system PUBLIC atbasic_media)
