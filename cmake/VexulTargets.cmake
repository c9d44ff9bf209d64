# Small helpers shared by the folders' CMakeLists.

# Adds a folder when it has a CMakeLists.txt (areas appear as the project grows).
function(vexul_add_subdirectory dir)
  if(EXISTS ${CMAKE_SOURCE_DIR}/${dir}/CMakeLists.txt)
    add_subdirectory(${CMAKE_SOURCE_DIR}/${dir} ${CMAKE_BINARY_DIR}/${dir})
  endif()
endfunction()

# vexul_add_test(NAME LIBS lib... [FILES test.cpp...] [EXCLUDE test.cpp...] [SOURCES extra...]): one GoogleTest
# program from every .cpp of the calling folder (only the FILES when given, never the EXCLUDE ones) and of
# tests/support; CTest runs it (under Wine when cross-compiling).
function(vexul_add_test name)
  cmake_parse_arguments(ARG "" "" "LIBS;SOURCES;FILES;EXCLUDE" ${ARGN})
  if(ARG_FILES)
    list(TRANSFORM ARG_FILES PREPEND ${CMAKE_CURRENT_SOURCE_DIR}/ OUTPUT_VARIABLE sources)
  else()
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  endif()
  if(ARG_EXCLUDE)
    list(TRANSFORM ARG_EXCLUDE PREPEND ${CMAKE_CURRENT_SOURCE_DIR}/ OUTPUT_VARIABLE excluded)
    list(REMOVE_ITEM sources ${excluded})
  endif()
  file(GLOB support CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/support/*.cpp)
  if(VEXUL_HOST)
    list(FILTER support EXCLUDE REGEX "/win_[^/]*\\.cpp$")
  endif()
  add_executable(${name} ${sources} ${support} ${ARG_SOURCES})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} gtest)
  add_test(NAME ${name} COMMAND ${name} --gtest_color=no)
  set_tests_properties(${name} PROPERTIES TIMEOUT 600
    ENVIRONMENT "VEXUL_SOURCE_DIR=${CMAKE_SOURCE_DIR};VEXUL_BINARY_DIR=${CMAKE_BINARY_DIR}")
endfunction()

# vexul_link_check(lib deps...): a small program that links the whole of the library (every object of it,
# used or not) with only the libraries it may depend on, so that the build fails when the library needs
# something from a layer above it.
function(vexul_link_check lib)
  add_executable(${lib}_links_alone ${CMAKE_SOURCE_DIR}/cmake/link_check.cpp)
  target_link_libraries(${lib}_links_alone PRIVATE "$<LINK_LIBRARY:WHOLE_ARCHIVE,${lib}>" ${ARGN})
endfunction()
