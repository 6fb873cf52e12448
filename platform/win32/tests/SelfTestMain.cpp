// Runs every case of the Windows platform self-test; the exit code is the number of failed cases.
#include "platform/win32/tests/SelfTest.h"

#include <cstdio>
#include <exception>

namespace selftest {

namespace {
int failuresInCase = 0;
}

std::vector<Case>& cases()
{
    static std::vector<Case> all;
    return all;
}

void fail(const char* file, int line, const std::string& what)
{
    ++failuresInCase;
    std::printf("    %s:%d: %s\n", file, line, what.c_str());
    std::fflush(stdout);
}

} // namespace selftest

int main()
{
    int failedCases = 0;
    for (const selftest::Case& test : selftest::cases()) {
        selftest::failuresInCase = 0;
        try {
            test.run();
        } catch (const std::exception& error) {
            selftest::fail(__FILE__, __LINE__, std::string("exception: ") + error.what());
        } catch (...) {
            selftest::fail(__FILE__, __LINE__, "unknown exception");
        }
        std::printf("[%s] %s\n", selftest::failuresInCase ? "FAIL" : " ok ", test.name);
        std::fflush(stdout);
        if (selftest::failuresInCase)
            ++failedCases;
    }
    // The closing line the end-to-end runner sums up.
    std::printf(
        "e2e platform: %d passed, %d failed\n", static_cast<int>(selftest::cases().size()) - failedCases, failedCases);
    return failedCases;
}
