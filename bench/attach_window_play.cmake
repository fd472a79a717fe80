# Given as CMAKE_PROJECT_INCLUDE, builds this tree's window_play in another
# source tree (an older commit's, to be measured side by side with this one)
# without changing a file there: once the other tree's top folder has been
# read, and so its game and test_helpers exist, window_play.cmake is
# included into it. A tree with a window_play of its own keeps its own.
set(GROVEKEEP_ATTACHED_WINDOW_PLAY ${CMAKE_CURRENT_LIST_DIR}/window_play.cmake)
cmake_language(DEFER CALL include ${GROVEKEEP_ATTACHED_WINDOW_PLAY})
