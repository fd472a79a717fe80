# window_play: the real program's frame loop with the tests' bot at the keys
# (scripts/bench --window). Included by bench/CMakeLists.txt, and by
# attach_window_play.cmake into a tree that has no window_play of its own.
if(NOT TARGET window_play)
  add_executable(window_play ${CMAKE_CURRENT_LIST_DIR}/window_play.cpp)
  target_link_libraries(window_play PRIVATE test_helpers)
  set_target_properties(window_play PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
  if(TARGET content)
    add_dependencies(window_play content)
  endif()
endif()
