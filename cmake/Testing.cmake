find_package(GTest REQUIRED)
include(GoogleTest)

# project_add_test(NAME <exe> [SOURCES ...] [LIBS ...] [ENV ...])
# Without SOURCES every *_test.cc of the calling folder goes into the
# executable, so adding a test file needs no edit here.
function(project_add_test)
  cmake_parse_arguments(ARG "" "NAME" "SOURCES;LIBS;ENV" ${ARGN})
  if(NOT ARG_SOURCES)
    file(GLOB ARG_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_test.cc)
  endif()
  add_executable(${ARG_NAME} ${ARG_SOURCES})
  target_link_libraries(${ARG_NAME} PRIVATE project::options GTest::gtest GTest::gtest_main
                        GTest::gmock ${ARG_LIBS})
  target_compile_definitions(${ARG_NAME} PRIVATE
    PROJECT_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    PROJECT_SHARED_DIR="${PROJECT_SOURCE_DIR}/../shared"
    PROJECT_BIN_DIR="${CMAKE_RUNTIME_OUTPUT_DIRECTORY}")
  gtest_discover_tests(${ARG_NAME} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                       PROPERTIES ENVIRONMENT "${ARG_ENV}" TIMEOUT 300)
endfunction()
