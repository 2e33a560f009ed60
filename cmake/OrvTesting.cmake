# orv_add_test(NAME <name> SOURCES <files...> LIBRARIES <targets...>)
#
# One GoogleTest executable whose cases CTest discovers one by one. Every test runs headless and
# with HOME and the XDG folders pointed at a scratch folder of the build tree, so that no test can
# touch the real home directory; tests that need their own folders make them below it.
set(ORV_TEST_SCRATCH ${CMAKE_BINARY_DIR}/test-scratch)
file(MAKE_DIRECTORY ${ORV_TEST_SCRATCH}/home ${ORV_TEST_SCRATCH}/data ${ORV_TEST_SCRATCH}/config
     ${ORV_TEST_SCRATCH}/cache ${ORV_TEST_SCRATCH}/runtime)
file(CHMOD ${ORV_TEST_SCRATCH}/runtime DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
set(ORV_TEST_ENVIRONMENT
    "QT_QPA_PLATFORM=offscreen"
    "HOME=${ORV_TEST_SCRATCH}/home"
    "XDG_DATA_HOME=${ORV_TEST_SCRATCH}/data"
    "XDG_CONFIG_HOME=${ORV_TEST_SCRATCH}/config"
    "XDG_CACHE_HOME=${ORV_TEST_SCRATCH}/cache"
    "XDG_RUNTIME_DIR=${ORV_TEST_SCRATCH}/runtime"
    "ORV_TEST_SCRATCH=${ORV_TEST_SCRATCH}"
    "ASAN_OPTIONS=detect_leaks=1")

# Tests run through env(1) with that environment: gtest_discover_tests passes test properties
# through several list expansions, which split an ENVIRONMENT list apart, but it hands the
# target's emulator to every discovered test as it is.
function(orv_discover_tests target)
  set_property(TARGET ${target} PROPERTY CROSSCOMPILING_EMULATOR env ${ORV_TEST_ENVIRONMENT})
  gtest_discover_tests(${target} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 300)
endfunction()

function(orv_add_test)
  cmake_parse_arguments(T "" "NAME" "SOURCES;LIBRARIES" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBRARIES} orv_testsupport GTest::gtest GTest::gtest_main)
  orv_discover_tests(${T_NAME})
endfunction()
