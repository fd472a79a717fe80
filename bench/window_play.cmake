# window_play: the real program's frame loop with the tests' bot at the keys
# (scripts/bench --window). Included by bench/CMakeLists.txt, and by
# attach_window_play.cmake into a tree that has no window_play of its own.
if(NOT TARGET window_play)
  include(${CMAKE_CURRENT_LIST_DIR}/../tests/helpers/bot_program.cmake)
  grovekeep_bot_program(window_play ${CMAKE_CURRENT_LIST_DIR}/window_play.cpp bench)
endif()
