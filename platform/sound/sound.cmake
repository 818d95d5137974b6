# Sound for orrinvale_platform: SDL2_mixer, loaded when the first sound plays (its headers only at build
# time), and the built-in chime synthesised at build time by a small host tool into a source file that
# holds the WAVE bytes.
pkg_check_modules(SDL2_MIXER REQUIRED SDL2_mixer)
target_include_directories(orrinvale_platform SYSTEM PRIVATE ${SDL2_MIXER_INCLUDE_DIRS})
target_compile_options(orrinvale_platform PRIVATE ${SDL2_MIXER_CFLAGS_OTHER})
target_link_libraries(orrinvale_platform PRIVATE ${CMAKE_DL_LIBS})

add_executable(make_chime ${PROJECT_SOURCE_DIR}/resources/make_chime.cpp)
set(ORRINVALE_CHIME_SOURCE ${CMAKE_CURRENT_BINARY_DIR}/builtin_alarm_sound.cpp)
add_custom_command(OUTPUT ${ORRINVALE_CHIME_SOURCE}
    COMMAND make_chime ${ORRINVALE_CHIME_SOURCE}
    DEPENDS make_chime
    COMMENT "Synthesising the built-in alarm chime")
target_sources(orrinvale_platform PRIVATE ${ORRINVALE_CHIME_SOURCE})
