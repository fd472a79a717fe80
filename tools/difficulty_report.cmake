# The difficulty report: the tests' bot plays every level 20 games and the
# table of how often it won lands in docs/difficulty.md, a picture of each
# level in play in build/screenshots/levels/. It takes a minute or so, so
# only the target below runs it, never the test command:
#   cmake --build build --target difficulty_report
add_executable(level_difficulty ${CMAKE_CURRENT_LIST_DIR}/difficulty_report.cpp)
target_link_libraries(level_difficulty PRIVATE test_helpers)
set_target_properties(level_difficulty PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools)
if(TARGET content)
  add_dependencies(level_difficulty content)
endif()

add_custom_target(difficulty_report
  COMMAND level_difficulty --games 20 --out ${CMAKE_SOURCE_DIR}/docs/difficulty.md
    --pictures ${CMAKE_BINARY_DIR}/screenshots/levels
  DEPENDS level_difficulty
  COMMENT "Playing every level with the bot; the table goes to docs/difficulty.md"
  VERBATIM USES_TERMINAL)
