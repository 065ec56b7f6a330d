#pragma once

// What every fuzz target reports a broken property with: the condition, where, and a note, then
// abort() so libFuzzer keeps the input that led there.
#include <cstdio>
#include <cstdlib>
#include <string>

#define FUZZ_CHECK(condition, note)                                                        \
    do {                                                                                   \
        if (!(condition)) {                                                                \
            std::fprintf(stderr, "%s:%d: property broken: %s\n  %s\n", __FILE__, __LINE__, \
                         #condition, std::string(note).c_str());                           \
            std::abort();                                                                  \
        }                                                                                  \
    } while (false)
