#include "tests/e2e/common/Report.h"

#include <cstdio>

namespace e2e {

bool Report::Check(const std::string& name, bool ok, const std::string& detail)
{
    (ok ? passed_ : failed_)++;
    if (detail.empty())
        std::fprintf(out_, "%s %s\n", ok ? "PASS" : "FAIL", name.c_str());
    else
        std::fprintf(out_, "%s %s: %s\n", ok ? "PASS" : "FAIL", name.c_str(), detail.c_str());
    std::fflush(out_);
    return ok;
}

void Report::Note(const std::string& text)
{
    std::fprintf(out_, "     %s\n", text.c_str());
    std::fflush(out_);
}

int Report::Finish()
{
    std::fprintf(out_, "e2e %s: %d passed, %d failed\n", suite_.c_str(), passed_, failed_);
    std::fflush(out_);
    return failed_ == 0 ? 0 : 1;
}

} // namespace e2e
