#pragma once

// What every fuzz target uses to state an invariant. A broken one prints what
// was expected and aborts, and libFuzzer keeps the input as a crash file.

#include <cstdio>
#include <cstdlib>
#include <string>

namespace ondal::fuzz {

[[noreturn]] inline void checkFailed(const char *condition, const char *file, int line,
                                     const std::string &detail)
{
    std::fprintf(stderr, "%s:%d: check failed: %s\n  %s\n", file, line, condition, detail.c_str());
    std::abort();
}

} // namespace ondal::fuzz

// ONDAL_FUZZ_CHECK(condition, detail): detail is a std::string (or a C
// string) shown with the failure; it is only built when the check fails.
#define ONDAL_FUZZ_CHECK(condition, detail)                                                        \
    do {                                                                                           \
        if (!(condition))                                                                          \
            ::ondal::fuzz::checkFailed(#condition, __FILE__, __LINE__, (detail));                  \
    } while (false)
