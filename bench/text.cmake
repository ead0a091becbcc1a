project_add_bench(NAME text_bench SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/text_bench.cc
                  LIBS core::text)
