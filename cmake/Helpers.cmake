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

# add_fuzz_target(<name> SOURCES ... [LIBS ...] [CORPUS <dir>...] [RUNS <n>])
# A libFuzzer executable, built only with ENABLE_FUZZING, and two CTest tests:
#   <name>         (label "fuzz") every committed input of the CORPUS folders
#                  once, then <n> (default 20000) inputs mutated from them
#                  with a fixed seed. It gives the same verdict on every run,
#                  so a submission never fails because of a lucky seed.
#   <name>-random  (label "fuzz-random") a random seed for FUZZ_SECONDS
#                  seconds (environment, default 60), for runs outside CI.
# Both work on a fresh copy of the corpus in the build tree, so the source
# tree is never written; inputs that fail are saved as
# <build>/fuzz-crashes/<name>-crash-<hash> (commit them to a CORPUS folder
# once the fault is fixed, so that every later run replays them).
function(add_fuzz_target name)
    cmake_parse_arguments(F "" "RUNS" "SOURCES;LIBS;CORPUS" ${ARGN})
    if(NOT ENABLE_FUZZING)
        return()
    endif()
    if(NOT F_RUNS)
        set(F_RUNS 20000)
    endif()
    add_executable(${name} ${F_SOURCES})
    target_link_libraries(${name} PRIVATE ${F_LIBS})
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
    set_property(GLOBAL APPEND PROPERTY FUZZ_TARGETS ${name})

    set(crashes ${CMAKE_BINARY_DIR}/fuzz-crashes)
    file(MAKE_DIRECTORY ${crashes})
    set(fuzzer "'$<TARGET_FILE:${name}>' -rss_limit_mb=2048 -timeout=10 -artifact_prefix='${crashes}/${name}-'")
    # sh commands: copy the corpus afresh, then run. Inside one shell command
    # the options must be blank-separated (a CMake list would put ';', a
    # command separator, between them).
    set(copy_fixed "true")
    set(copy_random "true")
    set(work ${CMAKE_CURRENT_BINARY_DIR}/${name}-corpus)
    foreach(dir IN LISTS F_CORPUS)
        string(APPEND copy_fixed " && cp -r '${dir}'/. '${work}'/")
        string(APPEND copy_random " && cp -r '${dir}'/. '${work}-random'/")
    endforeach()
    add_test(NAME ${name}
        COMMAND sh -c "rm -rf '${work}' && mkdir -p '${work}' && ${copy_fixed} && ${fuzzer} -runs=0 '${work}' && ${fuzzer} -seed=1 -runs=${F_RUNS} '${work}'")
    set_tests_properties(${name} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;ASAN_OPTIONS=detect_leaks=0"
        TIMEOUT 300 LABELS fuzz)
    # No TIMEOUT property: the caller gives ctest one to match FUZZ_SECONDS.
    add_test(NAME ${name}-random
        COMMAND sh -c "rm -rf '${work}-random' && mkdir -p '${work}-random' && ${copy_random} && ${fuzzer} -max_total_time=\${FUZZ_SECONDS:-60} '${work}-random'")
    set_tests_properties(${name}-random PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;ASAN_OPTIONS=detect_leaks=0"
        LABELS fuzz-random)
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

# display_free(<target>...): these libraries must run without a display (no
# Qt Widgets, Print Support or PDF Widgets anywhere in what they link), so
# that tests, tools, benchmarks and fuzzers can use them on a bare machine.
# When the whole project is configured, each recorded target's link closure
# (LINK_LIBRARIES and INTERFACE_LINK_LIBRARIES, followed through every target
# they name) is walked and written to display-free.txt in the build
# directory; the CTest test "display-free" fails on any violation, and also
# when the walk misses a deliberately bad probe (so a broken walk cannot pass).
function(display_free)
    set_property(GLOBAL APPEND PROPERTY DISPLAY_FREE_TARGETS ${ARGN})
endfunction()

set(DISPLAY_FREE_FORBIDDEN Qt6::Widgets Qt6::PrintSupport Qt6::PdfWidgets
    Qt::Widgets Qt::PrintSupport Qt::PdfWidgets)

# The targets an entry of a link list names. Generator expressions are not
# evaluated: every target named anywhere inside one counts, which errs on the
# side of reporting.
function(_display_free_targets_in entry out)
    set(found)
    if(entry MATCHES "^\\$<")
        string(REGEX MATCHALL "[A-Za-z0-9_.+-]+(::[A-Za-z0-9_.+-]+)*" words "${entry}")
    else()
        set(words "${entry}")
    endif()
    foreach(word IN LISTS words)
        if(TARGET "${word}")
            get_target_property(real "${word}" ALIASED_TARGET)
            if(real)
                list(APPEND found "${word}" "${real}")
            else()
                list(APPEND found "${word}")
            endif()
        endif()
    endforeach()
    set(${out} "${found}" PARENT_SCOPE)
endfunction()

# Walks the link closure of <target> breadth first; <out> is empty when no
# forbidden library is reached, else the chain "a -> b -> Qt6::Widgets".
function(_display_free_walk target out)
    set(queue "${target}")
    set(seen "${target}")
    set(_from_${target} "")
    while(queue)
        list(POP_FRONT queue current)
        if(current IN_LIST DISPLAY_FREE_FORBIDDEN)
            set(chain "${current}")
            set(step "${current}")
            while(NOT "${_from_${step}}" STREQUAL "")
                set(step "${_from_${step}}")
                set(chain "${step} -> ${chain}")
            endwhile()
            set(${out} "${chain}" PARENT_SCOPE)
            return()
        endif()
        set(links)
        foreach(property LINK_LIBRARIES INTERFACE_LINK_LIBRARIES)
            get_target_property(value "${current}" ${property})
            if(value)
                list(APPEND links ${value})
            endif()
        endforeach()
        foreach(entry IN LISTS links)
            _display_free_targets_in("${entry}" named)
            foreach(next IN LISTS named)
                if(NOT next IN_LIST seen)
                    list(APPEND seen "${next}")
                    list(APPEND queue "${next}")
                    set(_from_${next} "${current}")
                endif()
            endforeach()
        endforeach()
    endwhile()
    set(${out} "" PARENT_SCOPE)
endfunction()

function(_display_free_report)
    get_property(targets GLOBAL PROPERTY DISPLAY_FREE_TARGETS)
    list(REMOVE_DUPLICATES targets)
    set(report)
    foreach(target IN LISTS targets)
        if(NOT TARGET ${target})
            string(APPEND report "MISSING ${target}: no such target\n")
            continue()
        endif()
        _display_free_walk(${target} chain)
        if(chain)
            string(APPEND report "FAIL ${target}: ${chain}\n")
            message(WARNING "${target} must not need a display but links ${chain}")
        else()
            string(APPEND report "OK ${target}\n")
        endif()
    endforeach()
    # The probe: Widgets two steps away, behind a private link.
    add_library(display_free_probe_leaf INTERFACE IMPORTED)
    set_property(TARGET display_free_probe_leaf PROPERTY
        INTERFACE_LINK_LIBRARIES "$<LINK_ONLY:Qt6::Widgets>")
    add_library(display_free_probe INTERFACE IMPORTED)
    set_property(TARGET display_free_probe PROPERTY
        INTERFACE_LINK_LIBRARIES display_free_probe_leaf)
    _display_free_walk(display_free_probe chain)
    if(chain)
        string(APPEND report "PROBE caught: ${chain}\n")
    else()
        string(APPEND report "PROBE missed: the walk did not reach Qt6::Widgets\n")
    endif()
    file(WRITE ${CMAKE_BINARY_DIR}/display-free.txt "${report}")
    add_test(NAME display-free COMMAND ${CMAKE_COMMAND}
        -DREPORT=${CMAKE_BINARY_DIR}/display-free.txt
        -P ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/DisplayFreeCheck.cmake)
    set_tests_properties(display-free PROPERTIES LABELS unit)
endfunction()

# Runs once the top-level CMakeLists.txt is done, when every target exists.
get_property(_display_free_scheduled GLOBAL PROPERTY DISPLAY_FREE_SCHEDULED)
if(NOT ENABLE_FUZZING AND NOT _display_free_scheduled)
    set_property(GLOBAL PROPERTY DISPLAY_FREE_SCHEDULED TRUE)
    cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL _display_free_report)
endif()
