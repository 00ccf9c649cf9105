# add_gtest(<name> SOURCES ... [LIBS ...] [FIXTURES <dir>] [LABELS ...])
# A GoogleTest executable run by CTest offscreen, with an isolated HOME and
# configuration directory (see platform/testing/TestMain.cpp).
function(add_gtest name)
    cmake_parse_arguments(T "" "FIXTURES;TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
    if(ENABLE_FUZZING)
        return()
    endif()
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE testsupport GTest::gtest ${T_LIBS})
    target_compile_definitions(${name} PRIVATE
        SAMPLE_DIR="${SAMPLE_DIR}"
        ARTIFACT_DIR="${ARTIFACT_DIR}"
        TEST_BINARY_DIR="${CMAKE_CURRENT_BINARY_DIR}")
    if(T_FIXTURES)
        target_compile_definitions(${name} PRIVATE FIXTURE_DIR="${T_FIXTURES}")
    endif()
    add_test(NAME ${name} COMMAND ${name})
    if(NOT T_TIMEOUT)
        set(T_TIMEOUT 300)
    endif()
    set_tests_properties(${name} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;ASAN_OPTIONS=detect_leaks=0"
        TIMEOUT ${T_TIMEOUT}
        LABELS "unit;${T_LABELS}")
endfunction()

# add_fuzz_target(<name> SOURCES ... [LIBS ...] [CORPUS <dir>])
# A libFuzzer executable, built only with ENABLE_FUZZING, run briefly by CTest.
function(add_fuzz_target name)
    cmake_parse_arguments(F "" "CORPUS;SECONDS" "SOURCES;LIBS" ${ARGN})
    if(NOT ENABLE_FUZZING)
        return()
    endif()
    if(NOT F_SECONDS)
        set(F_SECONDS 20)
    endif()
    add_executable(${name} ${F_SOURCES})
    target_link_libraries(${name} PRIVATE ${F_LIBS})
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
    set_property(GLOBAL APPEND PROPERTY FUZZ_TARGETS ${name})
    set(args -max_total_time=${F_SECONDS} -rss_limit_mb=2048)
    if(F_CORPUS)
        # Work on a copy so that CI never writes into the source tree.
        set(work ${CMAKE_CURRENT_BINARY_DIR}/${name}-corpus)
        # Inside the shell command the options must be blank-separated; a
        # CMake list would put a ';' (a command separator) between them.
        list(JOIN args " " shell_args)
        add_test(NAME ${name}
            COMMAND sh -c "mkdir -p '${work}' && cp -r '${F_CORPUS}'/. '${work}'/ && '$<TARGET_FILE:${name}>' ${shell_args} '${work}'")
    else()
        add_test(NAME ${name} COMMAND ${name} ${args})
    endif()
    set_tests_properties(${name} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;ASAN_OPTIONS=detect_leaks=0"
        TIMEOUT 120 LABELS fuzz)
endfunction()

# add_bench(<name> SOURCES ... [LIBS ...]): an executable bench-<name>.
function(add_bench name)
    cmake_parse_arguments(B "" "" "SOURCES;LIBS" ${ARGN})
    if(ENABLE_FUZZING)
        return()
    endif()
    add_executable(bench-${name} ${B_SOURCES})
    target_link_libraries(bench-${name} PRIVATE ${B_LIBS})
    target_compile_definitions(bench-${name} PRIVATE
        SAMPLE_DIR="${SAMPLE_DIR}" BENCH_WORK_DIR="${CMAKE_BINARY_DIR}/bench-data")
endfunction()
