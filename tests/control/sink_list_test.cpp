// A sink whose release calls back into its connection point while the point is still removing it.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <utility>

#include "control/core/SinkList.h"

using namespace dralith;

namespace {

// Releases as a COM pointer does: on destruction, and for the old value on assignment.
class Handle {
public:
    explicit Handle(std::function<void()> onRelease)
        : onRelease_(std::move(onRelease))
    {
    }
    Handle(Handle&& other) noexcept
        : onRelease_(std::exchange(other.onRelease_, nullptr))
    {
    }
    Handle& operator=(Handle other) noexcept
    {
        std::swap(onRelease_, other.onRelease_);
        return *this;
    }
    ~Handle()
    {
        if (onRelease_)
            onRelease_();
    }

private:
    std::function<void()> onRelease_;
};

struct Sinks {
    std::map<std::string, int> released;
    std::map<std::string, std::function<void()>> whenReleased;
    SinkList<Handle> list; // last: the sinks left are released before the maps go

    std::uint32_t add(const std::string& name)
    {
        return list.add(Handle([this, name] {
            ++released[name];
            if (auto then = whenReleased.find(name); then != whenReleased.end())
                then->second();
        }));
    }
};

} // namespace

TEST(SinkList, ASinkReleasedInsideUnadviseFindsTheListWhole)
{
    Sinks s;
    const std::uint32_t a = s.add("a");
    const std::uint32_t b = s.add("b");
    s.add("c");
    std::uint32_t d = 0;
    s.whenReleased["a"] = [&] {
        EXPECT_EQ(s.list.size(), 2u); // a is out already
        EXPECT_TRUE(s.list.remove(b));
        EXPECT_FALSE(s.list.remove(a));
        d = s.add("d");
    };
    EXPECT_TRUE(s.list.remove(a));
    EXPECT_EQ(s.released, (std::map<std::string, int> {{"a", 1}, {"b", 1}}));
    EXPECT_EQ(s.list.size(), 2u);

    s.whenReleased.clear();
    EXPECT_TRUE(s.list.remove(d));
    EXPECT_FALSE(s.list.remove(d));
    EXPECT_EQ(s.list.size(), 1u);
    EXPECT_EQ(s.released["d"], 1);
}

TEST(SinkList, ClearingReleasesEachSinkOnceAndKeepsOnesAdvisedMeanwhile)
{
    Sinks s;
    const std::uint32_t a = s.add("a");
    const std::uint32_t b = s.add("b");
    s.whenReleased["a"] = [&] {
        s.list.remove(b); // gone already: nothing to do
        s.add("late");
    };
    s.list.clear();
    EXPECT_EQ(s.released, (std::map<std::string, int> {{"a", 1}, {"b", 1}}));
    EXPECT_EQ(s.list.size(), 1u);
    EXPECT_FALSE(s.list.remove(a));
    EXPECT_NE(s.add("e"), 0u);
}
