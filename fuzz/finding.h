#pragma once
// How a fuzz target reports a broken property. The targets run with libFuzzer's -close_fd_mask, which
// silences standard error (every export echoes its log there); the console the fuzzer started with is
// kept at start-up so that the reason still reaches the fuzzer's own output before the abort, which
// libFuzzer then records as a finding with the input that caused it.

#include <cstdio>
#include <cstdlib>
#include <string>

#include <unistd.h>

namespace fuzzfinding {

inline int& consoleDescriptor()
{
    static int descriptor = 2;
    return descriptor;
}

// Call from LLVMFuzzerInitialize, which libFuzzer runs before it closes standard error.
inline void keepConsole()
{
    int descriptor = dup(2);
    if (descriptor >= 0)
        consoleDescriptor() = descriptor;
}

[[noreturn]] inline void report(const char* target, const std::string& what)
{
    dprintf(consoleDescriptor(), "%s: %s\n", target, what.c_str());
    abort();
}

} // namespace fuzzfinding
