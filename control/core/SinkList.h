#pragma once
// The sinks advised to a connection point, each under its cookie. Releasing a sink runs code of
// the sink's owner, which may call back into the point (unadvise another sink, advise a new
// one): a sink leaves the list first and is released only when the list is whole again.
#include <cstdint>
#include <utility>
#include <vector>

namespace dralith {

// Sink: a movable owning handle (a COM pointer) that releases what it holds when destroyed.
template <class Sink> class SinkList {
public:
    // The cookie of the new connection; cookies are never 0.
    std::uint32_t add(Sink sink)
    {
        entries_.push_back(Entry {nextCookie_, std::move(sink)});
        return nextCookie_++;
    }

    // False when no sink has that cookie.
    bool remove(std::uint32_t cookie)
    {
        for (auto it = entries_.begin(); it != entries_.end(); ++it) {
            if (it->cookie == cookie) {
                Sink leaving = std::move(it->sink);
                entries_.erase(it);
                return true; // `leaving` is released here, with the list already without it
            }
        }
        return false;
    }

    // Releases every sink; those advised while that runs stay.
    void clear()
    {
        std::vector<Entry> leaving;
        leaving.swap(entries_);
        leaving.clear();
    }

    std::size_t size() const { return entries_.size(); }

private:
    struct Entry {
        std::uint32_t cookie;
        Sink sink;
    };
    std::vector<Entry> entries_;
    std::uint32_t nextCookie_ = 1;
};

} // namespace dralith
