# A whole check of a 100,000-character article through the real fragment
# source against a local HTTPS search stand-in, with the curl command
# fetching the same pages over one connection as the floor; and the
# reduction of one large result page.
if(TARGET platform::http AND TARGET test::support AND TARGET checker_cli)
  project_add_bench(NAME check_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/check_bench.cc
                    LIBS checker_cli core::check core::text platform::http test::support)
endif()
