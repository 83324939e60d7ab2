#pragma once

#include <cstdio>
#include <cstdlib>
#include <string_view>

// A property the fuzzer found broken: print it and abort, so libFuzzer keeps the input.
#define FUZZ_CHECK(cond)                                                                                     \
    do {                                                                                                     \
        if (!(cond)) {                                                                                       \
            std::fprintf(stderr, "fuzz property failed: %s (%s:%d)\n", #cond, __FILE__, __LINE__);           \
            std::abort();                                                                                    \
        }                                                                                                    \
    } while (0)

inline bool IsPduText(std::string_view pdu) {
    if (pdu.size() % 2 != 0 || pdu.size() < 2)
        return false;
    for (char c : pdu)
        if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F')))
            return false;
    return true;
}
