#include "tests/e2e/common/Report.h"

#include <cstdio>

namespace e2e {

bool Report::Check(const std::string& name, bool ok, const std::string& detail)
{
    (ok ? passed_ : failed_)++;
    std::printf("%s %s: %s\n", ok ? "PASS" : "FAIL", name.c_str(), detail.c_str());
    std::fflush(stdout);
    return ok;
}

void Report::Note(const std::string& text)
{
    std::printf("     %s\n", text.c_str());
    std::fflush(stdout);
}

int Report::Finish()
{
    std::printf("e2e %s: %d passed, %d failed\n", suite_.c_str(), passed_, failed_);
    std::fflush(stdout);
    return failed_ == 0 ? 0 : 1;
}

} // namespace e2e
