# A program outside the test suites that plays through the tests' bot (the
# window benchmark, the difficulty report): linked with test_helpers, put in
# `folder` under the build's top, and built after the content it plays.
function(grovekeep_bot_program name source folder)
  add_executable(${name} ${source})
  target_link_libraries(${name} PRIVATE test_helpers)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/${folder})
  if(TARGET content)
    add_dependencies(${name} content)
  endif()
endfunction()
