project_add_bench(NAME encoding_bench SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/encoding_bench.cc
                  LIBS core::text platform::codepage)
