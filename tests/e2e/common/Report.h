#pragma once
// One line per test case and the closing line "e2e <suite>: N passed, M failed" that
// tests/e2e/run-all.sh sums up.
#include <cstdio>
#include <string>

namespace e2e {

class Report {
public:
    // The lines go to `out`: standard output, or a results file a suite's script reads.
    explicit Report(std::string suite, std::FILE* out = stdout)
        : suite_(std::move(suite))
        , out_(out)
    {
    }
    // Prints "PASS name: detail" or "FAIL name: detail" ("PASS name" with no detail); returns ok.
    bool Check(const std::string& name, bool ok, const std::string& detail);
    void Note(const std::string& text);
    int failed() const { return failed_; }
    // Prints the closing line; the process exit code (non-zero when anything failed).
    int Finish();

private:
    std::string suite_;
    std::FILE* out_;
    int passed_ = 0;
    int failed_ = 0;
};

} // namespace e2e
