# vqr_library(NAME PLAIN|QT DIR...) collects DIR/*.cpp (not recursive) into a
# static library. app/main.cpp is never part of a library.
function(vqr_library name kind)
  set(srcs)
  foreach(dir IN LISTS ARGN)
    file(GLOB found CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/*.cpp)
    list(APPEND srcs ${found})
  endforeach()
  list(FILTER srcs EXCLUDE REGEX "/app/main\\.cpp$")
  add_library(${name} STATIC ${srcs})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
  if(kind STREQUAL "QT")
    set_target_properties(${name} PROPERTIES AUTOMOC ON AUTORCC ON)
  endif()
endfunction()

# vqr_tests(DIR LIBS...) builds one GoogleTest executable per DIR/test_*.cpp,
# plus DIR/support/*.cpp in each, and registers it with ctest.
function(vqr_tests dir)
  file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/test_*.cpp)
  file(GLOB support CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/support/*.cpp)
  foreach(t IN LISTS tests)
    get_filename_component(n ${t} NAME_WE)
    set(target ${dir}_${n})
    add_executable(${target} ${t} ${support})
    target_link_libraries(${target} PRIVATE ${ARGN} GTest::gtest GTest::gmock)
    target_include_directories(${target} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/${dir})
    target_compile_definitions(${target} PRIVATE VQR_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
                                                 VQR_BINARY_DIR="${CMAKE_BINARY_DIR}")
    set_target_properties(${target} PROPERTIES AUTOMOC ON)
    add_test(NAME ${target} COMMAND ${target})
    set_tests_properties(${target} PROPERTIES
      ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/scripts/lsan.supp"
      TIMEOUT 600)
  endforeach()
endfunction()

# vqr_link(NAME LIBS...) links a library with what its users need too.
function(vqr_link name)
  target_link_libraries(${name} PUBLIC ${ARGN})
endfunction()
