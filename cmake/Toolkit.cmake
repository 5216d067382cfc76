# Build helpers shared by every subsystem: warnings, sanitizers, the common
# program folder, and one-line registration of tests, fuzz replays and benchmarks.

# Warnings for our own code only (Qt's and giflib's headers are system headers). They
# are errors in developer and CI builds (scripts/build turns TOOLKIT_WERROR on); a
# packager's newer compiler may warn where ours does not, and must still build.
option(TOOLKIT_WERROR "Treat compiler warnings as errors" OFF)
add_library(toolkit_warnings INTERFACE)
target_compile_options(toolkit_warnings INTERFACE -Wall -Wextra -Wpedantic $<$<BOOL:${TOOLKIT_WERROR}>:-Werror>)
# GCC 12 reports -Wrestrict inside std::string's insert and replace when they are
# inlined at -O3 (Release), where no overlap can happen: a false positive of that
# release, in many files. Real overlaps are caught at run time by AddressSanitizer's
# memcpy-param-overlap check in the sanitizer build.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  target_compile_options(toolkit_warnings INTERFACE $<$<CONFIG:Release>:-Wno-restrict>)
endif()

# Debian's hardening (the flags dpkg-buildflags gives with hardening=+all): stack
# protector, format checks, fortified libc calls where the optimiser can see sizes,
# read-only relocations bound at start-up. Sanitizer and fuzz builds do without.
option(TOOLKIT_HARDENING "Compile and link with Debian's hardening flags" ON)
if(TOOLKIT_HARDENING AND NOT TOOLKIT_SANITIZE AND NOT TOOLKIT_FUZZ)
  add_compile_options(-fstack-protector-strong -fstack-clash-protection -Wformat -Werror=format-security
    $<$<NOT:$<CONFIG:Debug>>:-D_FORTIFY_SOURCE=2>)
  if(CMAKE_SYSTEM_PROCESSOR MATCHES "x86_64|AMD64|i.86")
    add_compile_options(-fcf-protection)
  endif()
  add_link_options(-Wl,-z,relro -Wl,-z,now)
endif()

# A fuzz build instruments every library for coverage and sanitizers, so the
# fuzzer sees the branches of the parsers it drives, not only its harness.
set(TOOLKIT_FUZZ_FLAGS -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
if(TOOLKIT_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "TOOLKIT_FUZZ needs clang (configure with CC=clang CXX=clang++)")
  endif()
  add_compile_options(${TOOLKIT_FUZZ_FLAGS})
  add_link_options(-fsanitize=address,undefined)
  string(REPLACE ";" " " fuzz_flags_text "${TOOLKIT_FUZZ_FLAGS}")
  message(STATUS "Fuzz build: every library and program compiled with ${fuzz_flags_text}")
endif()

if(TOOLKIT_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# The four programs live in one folder, because the viewer starts the
# assembler from its own program folder.
set(TOOLKIT_BIN_DIR ${CMAKE_BINARY_DIR}/bin)

function(toolkit_program target)
  set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${TOOLKIT_BIN_DIR})
  target_link_libraries(${target} PRIVATE toolkit_warnings)
endfunction()

# toolkit_add_gtest(NAME SOURCES src... LIBS lib... [GUI] [LABELS l...] [TIMEOUT s])
# GUI tests run on the offscreen Qt platform.
function(toolkit_add_gtest name)
  cmake_parse_arguments(T "GUI" "TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock toolkit_warnings)
  if(NOT T_GUI)
    target_link_libraries(${name} PRIVATE GTest::gtest_main)
  endif()
  target_compile_definitions(${name} PRIVATE
    TOOLKIT_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    TOOLKIT_BIN_DIR="${TOOLKIT_BIN_DIR}")
  set(env "TOOLKIT_BIN_DIR=${TOOLKIT_BIN_DIR}")
  if(T_GUI)
    list(APPEND env "QT_QPA_PLATFORM=offscreen")
    # Test discovery runs the program too, outside the test environment.
    set_target_properties(${name} PROPERTIES CROSSCOMPILING_EMULATOR "env;QT_QPA_PLATFORM=offscreen")
  endif()
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES TIMEOUT ${T_TIMEOUT})
  # Properties with several values (the labels, the environment) are set once the
  # tests are discovered: gtest_discover_tests would split them into separate words.
  set(properties_file "${CMAKE_CURRENT_BINARY_DIR}/${name}_properties.cmake")
  file(WRITE "${properties_file}"
    "if(${name}_TESTS)\n"
    "  set_tests_properties(\${${name}_TESTS} PROPERTIES ENVIRONMENT \"${env}\" LABELS \"${T_LABELS}\")\n"
    "endif()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES "${properties_file}")
endfunction()

# toolkit_add_fuzz(NAME SOURCES src... LIBS lib... CORPUS dir [DICT file])
# Always builds a replay program that feeds every corpus file to
# LLVMFuzzerTestOneInput and registers it with CTest (it runs under the
# sanitizer build too); with TOOLKIT_FUZZ also the libFuzzer program, in
# <build>/fuzzers, with its seed corpus named in fuzzers/<name>.corpus and its
# libFuzzer dictionary, when it has one, copied to fuzzers/<name>.dict.
function(toolkit_add_fuzz name)
  cmake_parse_arguments(F "" "CORPUS;DICT" "SOURCES;LIBS" ${ARGN})
  add_executable(${name}_replay ${F_SOURCES} ${PROJECT_SOURCE_DIR}/fuzz/replay_main.cpp)
  target_link_libraries(${name}_replay PRIVATE ${F_LIBS} toolkit_warnings)
  target_include_directories(${name}_replay PRIVATE ${PROJECT_SOURCE_DIR})  # fuzz/work_folder.h
  add_test(NAME ${name}_corpus_replay COMMAND ${name}_replay ${F_CORPUS})
  set_tests_properties(${name}_corpus_replay PROPERTIES LABELS fuzz TIMEOUT 600)
  if(TOOLKIT_FUZZ)
    add_executable(${name} ${F_SOURCES})
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
    target_link_libraries(${name} PRIVATE ${F_LIBS} toolkit_warnings)
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzzers)
    file(WRITE ${CMAKE_BINARY_DIR}/fuzzers/${name}.corpus "${F_CORPUS}\n")
    if(F_DICT)
      configure_file(${F_DICT} ${CMAKE_BINARY_DIR}/fuzzers/${name}.dict COPYONLY)
    endif()
  endif()
endfunction()

# toolkit_add_bench(NAME SOURCES src... LIBS lib...)
function(toolkit_add_bench name)
  cmake_parse_arguments(B "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${B_SOURCES})
  target_link_libraries(${name} PRIVATE ${B_LIBS} benchmark::benchmark toolkit_warnings)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
endfunction()
