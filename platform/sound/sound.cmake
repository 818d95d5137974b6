# Sound for orrinvale_platform: SDL2_mixer, and the built-in chime synthesised at build time by a small
# host tool into a source file that holds the WAVE bytes.
pkg_check_modules(SDL2_MIXER REQUIRED IMPORTED_TARGET SDL2_mixer)
target_link_libraries(orrinvale_platform PRIVATE PkgConfig::SDL2_MIXER)

add_executable(make_chime ${PROJECT_SOURCE_DIR}/resources/make_chime.cpp)
set(ORRINVALE_CHIME_SOURCE ${CMAKE_CURRENT_BINARY_DIR}/builtin_alarm_sound.cpp)
add_custom_command(OUTPUT ${ORRINVALE_CHIME_SOURCE}
    COMMAND make_chime ${ORRINVALE_CHIME_SOURCE}
    DEPENDS make_chime
    COMMENT "Synthesising the built-in alarm chime")
target_sources(orrinvale_platform PRIVATE ${ORRINVALE_CHIME_SOURCE})
