// Runs every case of the Windows platform self-test; the exit code is the number of failed cases.
#include "platform/win32/tests/SelfTest.h"

#include "platform/win32/WinApi.h"

#include <cstdio>
#include <cstring>
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

int main(int argc, char** argv)
{
    // A copy started by the process cases, to be ended by them; it ends itself if they fail to.
    if (argc > 1 && std::strcmp(argv[1], selftest::kIdleFlag) == 0) {
        Sleep(60000);
        return 0;
    }
    // An optional argument runs only the cases whose name contains it.
    const char* only = argc > 1 ? argv[1] : nullptr;
    int failedCases = 0;
    int ran = 0;
    for (const selftest::Case& test : selftest::cases()) {
        if (only && !std::strstr(test.name, only))
            continue;
        ++ran;
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
    std::printf("e2e platform: %d passed, %d failed\n", ran - failedCases, failedCases);
    return failedCases;
}
