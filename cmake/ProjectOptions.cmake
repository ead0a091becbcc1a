# One interface target carries the language standard, the warnings and the
# defines, so every target of the project is built the same way.
add_library(project_options INTERFACE)
add_library(project::options ALIAS project_options)

target_compile_features(project_options INTERFACE cxx_std_20)
set(CMAKE_CXX_EXTENSIONS OFF)

target_compile_options(project_options INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wcast-align
  -Wunused -Woverloaded-virtual -Wnull-dereference -Wformat=2
  $<$<BOOL:${WERROR}>:-Werror>)

# Sources include project headers by their path from the top of the tree.
target_include_directories(project_options INTERFACE ${PROJECT_SOURCE_DIR})

if(SANITIZE)
  target_compile_options(project_options INTERFACE
    -fsanitize=address,undefined -fno-sanitize-recover=all
    -fno-omit-frame-pointer)
  target_link_options(project_options INTERFACE
    -fsanitize=address,undefined -fno-sanitize-recover=all)
  target_compile_definitions(project_options INTERFACE PROJECT_SANITIZED=1)
endif()
