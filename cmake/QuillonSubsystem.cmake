# Only the files that look into the source tree's data see its absolute path,
# so checkouts in different folders share compiler-cache hits for the rest.
function(quillon_define_source_data_dir sources)
  foreach(source IN LISTS sources)
    file(STRINGS ${source} uses REGEX "QUILLON_SOURCE_DATA_DIR" LIMIT_COUNT 1)
    if(uses)
      set_property(SOURCE ${source} APPEND PROPERTY COMPILE_DEFINITIONS
                   QUILLON_SOURCE_DATA_DIR="${PROJECT_SOURCE_DIR}/data")
    endif()
  endforeach()
endfunction()

# One static library per subsystem folder of src/. Sources are globbed so that
# adding a file to a folder needs no edit here.
function(quillon_subsystem name)
  cmake_parse_arguments(ARG "" "" "DEPS;PRIVATE_DEPS" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/${name}/*.cpp)
  if(sources)
    quillon_define_source_data_dir("${sources}")
    add_library(quillon_${name} STATIC ${sources})
    target_include_directories(quillon_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(quillon_${name} PUBLIC ${ARG_DEPS} PRIVATE ${ARG_PRIVATE_DEPS})
  else()
    add_library(quillon_${name} INTERFACE)
    target_include_directories(quillon_${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(quillon_${name} INTERFACE ${ARG_DEPS})
  endif()
endfunction()

# One GoogleTest executable per folder of tests/. With EMULATED_DEVICES a test
# fails on any protocol violation its emulated devices saw.
function(quillon_test_suite name)
  cmake_parse_arguments(ARG "EMULATED_DEVICES" "" "DEPS" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/${name}/*.cpp)
  if(NOT sources)
    return()
  endif()
  quillon_define_source_data_dir("${sources}")
  add_executable(test_${name} ${sources})
  target_include_directories(test_${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  if(ARG_EMULATED_DEVICES)
    set(main quillon_strict_emulator_main)
  else()
    set(main GTest::gtest_main)
  endif()
  target_link_libraries(test_${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gmock ${main})
  gtest_discover_tests(test_${name} DISCOVERY_TIMEOUT 60
                       PROPERTIES ENVIRONMENT "QUILLON_SOURCE_DATA_DIR=${PROJECT_SOURCE_DIR}/data")
endfunction()
