# One warning list for every target of the project. COMTEST_WERROR (on in CI)
# turns warnings into errors.
option(COMTEST_WERROR "Treat compiler warnings as errors" OFF)

function(comtest_warnings target)
    target_compile_options(${target} PRIVATE
        -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wcast-align
        -Woverloaded-virtual -Wformat=2 -Wimplicit-fallthrough)
    if(COMTEST_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()

# A library of the project: every .cpp of the calling folder, the include
# root src/, the project's warnings.
function(comtest_library target)
    cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
    list(FILTER sources EXCLUDE REGEX "/main\\.cpp$")  # a program's main stays out of its library
    add_library(${target} STATIC ${sources})
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${target} PUBLIC ${ARG_DEPS})
    comtest_warnings(${target})
endfunction()

# A test executable of every .cpp in the calling folder, registered with
# CTest; every test runs headless on Qt's offscreen platform.
# HEAVY names the slow tests (GoogleTest filter patterns): those that take
# seconds, run many rounds or start other programs. They carry the CTest label
# "heavy", so a quick run can leave them out (ctest -LE heavy); a plain ctest
# runs them with the rest.
# Every test's time limit is set here and nowhere else: 120 s, five times as
# long in the sanitizer build, whose code runs several times slower. ctest's
# --timeout does not override it.
function(comtest_test target)
    cmake_parse_arguments(ARG "" "" "DEPS;HEAVY" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
    add_executable(${target} ${sources})
    target_link_libraries(${target} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gmock comtest_test_main)
    comtest_warnings(${target})
    set(timeout 120)
    if(COMTEST_SANITIZE)
        math(EXPR timeout "${timeout} * 5")
    endif()
    # Each value must be a single word: gtest_discover_tests passes the
    # properties on as one flat list, so a list value would be split apart
    # and shift every property after it.
    set(properties ENVIRONMENT QT_QPA_PLATFORM=offscreen TIMEOUT ${timeout})
    if(NOT ARG_HEAVY)
        gtest_discover_tests(${target} DISCOVERY_TIMEOUT 60 PROPERTIES ${properties})
        return()
    endif()
    list(JOIN ARG_HEAVY ":" heavy)
    gtest_discover_tests(${target} DISCOVERY_TIMEOUT 60 TEST_FILTER "-${heavy}"
        PROPERTIES ${properties})
    gtest_discover_tests(${target} DISCOVERY_TIMEOUT 60 TEST_FILTER "${heavy}"
        PROPERTIES ${properties} LABELS heavy)
endfunction()

# COMTEST_SANITIZE builds everything with AddressSanitizer and
# UndefinedBehaviorSanitizer; any report aborts the test that caused it.
option(COMTEST_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(COMTEST_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined
                        -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()

# COMTEST_FUZZ builds the libFuzzer targets under fuzz/ (clang only): every
# library is instrumented for coverage and checked by AddressSanitizer and
# UndefinedBehaviorSanitizer, so a fuzzer stops on the first fault.
option(COMTEST_FUZZ "Build the libFuzzer targets (clang only)" OFF)
if(COMTEST_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
        message(FATAL_ERROR "COMTEST_FUZZ needs clang: configure with -DCMAKE_CXX_COMPILER=clang++")
    endif()
    add_compile_options(-fsanitize=fuzzer-no-link,address,undefined
                        -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()

# A fuzz target of every .cpp in the calling folder, linked with libFuzzer's
# main; its seed corpus is the folder's corpus/ directory.
function(comtest_fuzzer target)
    cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
    add_executable(${target} ${sources})
    target_link_libraries(${target} PRIVATE ${ARG_DEPS})
    target_link_options(${target} PRIVATE -fsanitize=fuzzer)
    comtest_warnings(${target})
    add_dependencies(fuzzers ${target})
endfunction()
