# dedup_bench FILE: the duplicate remover's window driven end to end.
if(TARGET dedup::window)
  project_add_bench(NAME dedup_bench SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/dedup_bench.cc
                    LIBS dedup::window)
endif()
