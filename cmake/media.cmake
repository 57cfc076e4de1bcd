# Sound on SDL2_mixer and media on libmpv, linked into the system services.
find_package(SDL2 REQUIRED)
find_package(SDL2_mixer REQUIRED)
find_package(PkgConfig REQUIRED)
pkg_check_modules(MPV REQUIRED mpv)
pkg_check_modules(ALSA REQUIRED IMPORTED_TARGET alsa)

add_library(atbasic_media STATIC
  src/platform/quiet_libraries.cpp
  src/platform/sdl_sound.cpp
  src/platform/mpv_api.cpp
  src/platform/mpv_media.cpp
)
# libmpv is opened with dlopen when a media file exists: only its header here.
target_include_directories(atbasic_media SYSTEM PRIVATE ${MPV_INCLUDE_DIRS})
target_link_libraries(atbasic_media
  PUBLIC atbasic_core
  PRIVATE SDL2::SDL2 SDL2_mixer::SDL2_mixer PkgConfig::ALSA ${CMAKE_DL_LIBS})
target_link_libraries(atbasic_system PUBLIC atbasic_media)
