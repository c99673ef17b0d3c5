# Sanitizer and fuzzing builds (clang).
#
# TOVRIN_SANITIZE builds the program and every test with AddressSanitizer (which includes
# LeakSanitizer) and UndefinedBehaviorSanitizer. Undefined behaviour is never recovered from: the
# first report ends the process, so a test cannot pass with one. The tests get the sanitizers'
# options and the suppressions kept in cmake/sanitizers/ through TOVRIN_SANITIZER_ENVIRONMENT,
# which tovrin_add_test() appends to every test's environment.
#
# TOVRIN_BUILD_FUZZERS adds the libFuzzer targets of fuzz/. It needs clang and TOVRIN_SANITIZE, so
# that every fuzzer also checks memory and undefined behaviour.
option(TOVRIN_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(TOVRIN_BUILD_FUZZERS "Build the libFuzzer targets in fuzz/ and run them as tests (clang)" OFF)

set(TOVRIN_SANITIZER_ENVIRONMENT "")

if(TOVRIN_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all
                        -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)

    set(_suppressions ${CMAKE_CURRENT_LIST_DIR}/sanitizers)
    # The sanitizers split their options at blanks, colons and commas: the paths are quoted, or a
    # checkout in "/home/ann/My Projects" would end every test at its start.
    set(TOVRIN_SANITIZER_ENVIRONMENT
        "ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1:abort_on_error=0"
        "LSAN_OPTIONS=suppressions=\"${_suppressions}/lsan.supp\":print_suppressions=0"
        "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1:suppressions=\"${_suppressions}/ubsan.supp\"")
endif()

if(TOVRIN_BUILD_FUZZERS)
    if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
        message(FATAL_ERROR "TOVRIN_BUILD_FUZZERS needs clang: configure with CXX=clang++")
    endif()
    if(NOT TOVRIN_SANITIZE)
        message(FATAL_ERROR "TOVRIN_BUILD_FUZZERS needs TOVRIN_SANITIZE=ON")
    endif()
endif()
