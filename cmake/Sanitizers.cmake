# Instrumented builds for finding memory and undefined-behaviour faults. Included right after the
# project's own compile options, so every target made afterwards, tests and fuzz targets included,
# is built the same way.
#
#   KURURIE_SANITIZE  AddressSanitizer and UndefinedBehaviorSanitizer (gcc or clang)
#   KURURIE_FUZZ      the same plus libFuzzer coverage, for the targets in fuzz/ (clang only)
#   KURURIE_COVERAGE  gcc's line coverage, which scripts/coverage.sh reads with gcovr

option(KURURIE_SANITIZE "Build everything with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(KURURIE_FUZZ "Build the libFuzzer targets in fuzz/ (needs clang)" OFF)
option(KURURIE_COVERAGE "Build everything with line coverage (gcc --coverage)" OFF)

if(KURURIE_FUZZ AND NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "KURURIE_FUZZ needs clang (libFuzzer); configure with CXX=clang++")
endif()

if(KURURIE_SANITIZE OR KURURIE_FUZZ)
    # Without recovery the first undefined-behaviour report ends the program, so a test that
    # triggers one fails instead of printing a warning nobody reads.
    set(KURURIE_SANITIZER_FLAGS
        -fsanitize=address,undefined
        -fno-sanitize-recover=all
        -fno-omit-frame-pointer)
    add_compile_options(${KURURIE_SANITIZER_FLAGS})
    add_link_options(${KURURIE_SANITIZER_FLAGS})
endif()

if(KURURIE_FUZZ)
    # Coverage feedback for the project's own code; the fuzz targets add libFuzzer's main when linked.
    add_compile_options(-fsanitize=fuzzer-no-link)
endif()

if(KURURIE_COVERAGE)
    add_compile_options(--coverage -O0)
    add_link_options(--coverage)
endif()
