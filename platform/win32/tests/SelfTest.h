#pragma once
// A minimal test runner for the Windows side, which runs where GoogleTest is not built (mingw).
#include <sstream>
#include <string>
#include <vector>

namespace selftest {

// Started with this flag, the self-test only idles for a while (a process to end).
constexpr const char* kIdleFlag = "--idle";

struct Case {
    const char* name;
    void (*run)();
};

std::vector<Case>& cases();
void fail(const char* file, int line, const std::string& what);

struct Register {
    Register(const char* name, void (*run)()) { cases().push_back(Case {name, run}); }
};

template <typename A, typename B>
void expectEqual(const A& actual, const B& expected, const char* text, const char* file, int line)
{
    if (actual == expected)
        return;
    std::ostringstream message;
    message << text << ": got " << actual << ", expected " << expected;
    fail(file, line, message.str());
}

} // namespace selftest

#define SELFTEST(name)                                                                                                 \
    static void name();                                                                                                \
    static const selftest::Register name##Registration(#name, &name);                                                  \
    static void name()

#define CHECK(condition)                                                                                               \
    do {                                                                                                               \
        if (!(condition))                                                                                              \
            selftest::fail(__FILE__, __LINE__, #condition);                                                            \
    } while (0)

#define CHECK_EQ(actual, expected) selftest::expectEqual((actual), (expected), #actual, __FILE__, __LINE__)
