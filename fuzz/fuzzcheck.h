#pragma once

#include <cstdio>
#include <cstdlib>

// Ends the run when a property of the code under test does not hold. libFuzzer reports the abort
// as a crash and keeps the input that caused it.
#define FUZZ_CHECK(condition)                                                                     \
    do {                                                                                          \
        if (!(condition)) {                                                                       \
            std::fprintf(stderr, "%s:%d: property failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                         \
        }                                                                                         \
    } while (false)
