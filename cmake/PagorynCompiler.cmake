# Compiler settings shared by every target: warnings (errors unless
# PGX_WERROR is off), ccache with the sloppiness precompiled headers need,
# assertions on in every build but Release, and the sanitizer build.
if(NOT CMAKE_BUILD_TYPE AND NOT CMAKE_CONFIGURATION_TYPES)
  set(CMAKE_BUILD_TYPE RelWithDebInfo CACHE STRING "Build type" FORCE)
endif()

option(PGX_WERROR "Treat compiler warnings as errors" ON)
option(PGX_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)

find_program(PGX_CCACHE ccache)
if(PGX_CCACHE)
  set(CMAKE_CXX_COMPILER_LAUNCHER
      ${CMAKE_COMMAND} -E env "CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime"
      ${PGX_CCACHE})
endif()

add_compile_options(-Wall -Wextra -Wno-unused-parameter)
# Text from templates and scripts is never a format string.
add_compile_options(-Wformat -Wformat-security)
if(PGX_WERROR)
  add_compile_options(-Werror)
endif()

# "Release with asserts": CMake's RelWithDebInfo defines NDEBUG and Qt adds
# QT_NO_DEBUG to every configuration but Debug, which would compile out
# assert() and Q_ASSERT alike. Only a plain Release build drops them.
string(REGEX REPLACE "(^| )[-/]DNDEBUG( |$)" " " CMAKE_CXX_FLAGS_RELWITHDEBINFO
       "${CMAKE_CXX_FLAGS_RELWITHDEBINFO}")
add_compile_definitions($<$<NOT:$<CONFIG:Release>>:QT_FORCE_ASSERTS>)

if(PGX_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

if(PGX_BUILD_FUZZ)
  # Coverage for every library the fuzzers link; the fuzz targets add the driver.
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined)
  add_link_options(-fsanitize=address,undefined)
endif()
