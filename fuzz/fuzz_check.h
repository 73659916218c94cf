#pragma once
#include <cstdio>
#include <cstdlib>

// An invariant a fuzz target watches. Breaking it aborts, so libFuzzer keeps the input.
#define FUZZ_REQUIRE(condition)                                                                  \
    do {                                                                                         \
        if (!(condition)) {                                                                      \
            std::fprintf(stderr, "%s:%d: invariant broken: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                        \
        }                                                                                        \
    } while (0)
