# One library per source folder; tests, benchmarks and fuzzers per folder too.
# Sources are collected from the folder so that layers can grow without
# touching the build files of other layers.

# pgx_add_library(<layer> [DEPS targets...] [WIDGETS])
#   Builds library pgx_<layer> from every .cpp/.h below src/<layer>.
function(pgx_add_library layer)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB_RECURSE srcs CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  file(GLOB_RECURSE qrcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.qrc)
  add_library(pgx_${layer} STATIC ${srcs} ${qrcs})
  set_target_properties(pgx_${layer} PROPERTIES AUTORCC ON)
  target_include_directories(pgx_${layer} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(pgx_${layer} PUBLIC Qt6::Core ${ARG_DEPS})
  if(PGX_USE_PCH)
    target_precompile_headers(pgx_${layer} PRIVATE
      <QtCore/QObject> <QtCore/QString> <QtCore/QByteArray> <QtCore/QList>
      <QtCore/QVariant> <QtCore/QHash> <memory> <vector> <functional>)
  endif()
endfunction()

# pgx_add_test_suite(<layer> [DEPS targets...])
#   One GoogleTest program per tests/<layer> folder, every .cpp below it.
function(pgx_add_test_suite layer)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB_RECURSE srcs CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  if(NOT srcs)
    return()
  endif()
  add_executable(test_${layer} ${srcs})
  target_include_directories(test_${layer} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(test_${layer} PRIVATE pgx_testsupport ${ARG_DEPS} GTest::gmock)
  target_compile_definitions(test_${layer} PRIVATE
    PGX_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data"
    PGX_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  if(PGX_USE_PCH)
    target_precompile_headers(test_${layer} PRIVATE <gtest/gtest.h> <QtCore/QString>)
  endif()
  gtest_discover_tests(test_${layer}
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
    DISCOVERY_TIMEOUT 60)
endfunction()
