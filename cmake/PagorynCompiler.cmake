# Compiler settings shared by every target: warnings, ccache with the
# sloppiness precompiled headers need, and a release-with-asserts default.
if(NOT CMAKE_BUILD_TYPE AND NOT CMAKE_CONFIGURATION_TYPES)
  set(CMAKE_BUILD_TYPE RelWithDebInfo CACHE STRING "Build type" FORCE)
endif()

find_program(PGX_CCACHE ccache)
if(PGX_CCACHE)
  set(CMAKE_CXX_COMPILER_LAUNCHER
      ${CMAKE_COMMAND} -E env "CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime"
      ${PGX_CCACHE})
endif()

add_compile_options(-Wall -Wextra -Wno-unused-parameter)
# Text from templates and scripts is never a format string.
add_compile_options(-Wformat -Wformat-security)

if(PGX_BUILD_FUZZ)
  # Coverage for every library the fuzzers link; the fuzz targets add the driver.
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined)
  add_link_options(-fsanitize=address,undefined)
endif()
