# 200 sequential page fetches over HTTPS on loopback, against the curl
# command fetching the same addresses over one connection.
if(TARGET platform::http AND TARGET test::support)
  set(web_bench_libs platform::http test::support)
  if(TARGET web::web)
    list(APPEND web_bench_libs web::web core::text)
  endif()
  project_add_bench(NAME web_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/web_bench.cc
                    LIBS ${web_bench_libs})
  if(TARGET web::web)
    target_compile_definitions(web_bench PRIVATE WEB_BENCH_WITH_WEB_REQUEST=1)
  endif()
endif()
