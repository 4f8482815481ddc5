# The page's files, all at the top of the build folder.
set_target_properties(kelmot PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
