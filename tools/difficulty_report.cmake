# The difficulty report: the tests' bot plays every level 20 games and the
# table of how often it won lands in docs/difficulty.md, a picture of each
# level in play in build/screenshots/levels/. It takes a minute or so, so
# only the target below runs it, never the test command:
#   cmake --build build --target difficulty_report
include(${CMAKE_CURRENT_LIST_DIR}/../tests/helpers/bot_program.cmake)
grovekeep_bot_program(level_difficulty ${CMAKE_CURRENT_LIST_DIR}/difficulty_report.cpp tools)

add_custom_target(difficulty_report
  COMMAND level_difficulty --games 20 --out ${CMAKE_SOURCE_DIR}/docs/difficulty.md
    --pictures ${CMAKE_BINARY_DIR}/screenshots/levels
  DEPENDS level_difficulty
  COMMENT "Playing every level with the bot; the table goes to docs/difficulty.md"
  VERBATIM USES_TERMINAL)
