#include "control/core/SampleHistory.h"

#include <algorithm>

namespace dralith {

namespace {
constexpr std::size_t kFirstCapacity = 32;
}

void SampleHistory::push(std::uint8_t sample, std::size_t limit)
{
    if (limit == 0) {
        clear();
        return;
    }
    std::size_t capacity = ring_.size();
    if (count_ == capacity && capacity < limit)
        growTo(std::min(std::max(capacity * 2, kFirstCapacity), limit));
    capacity = ring_.size();
    if (count_ < capacity) {
        ring_[(start_ + count_) % capacity] = sample;
        ++count_;
    } else {
        // Full at the limit (or above a lowered one): the newest takes the oldest's place.
        ring_[start_] = sample;
        start_ = (start_ + 1) % capacity;
    }
    if (count_ > limit) {
        start_ = (start_ + (count_ - limit)) % capacity;
        count_ = limit;
    }
}

std::uint8_t SampleHistory::newestFirst(std::size_t index) const
{
    return oldestFirst(count_ - 1 - index);
}

void SampleHistory::clear()
{
    start_ = 0;
    count_ = 0;
}

void SampleHistory::reserve(std::size_t samples)
{
    if (samples > ring_.size())
        growTo(samples);
}

void SampleHistory::growTo(std::size_t capacity)
{
    std::vector<std::uint8_t> grown(capacity);
    for (std::size_t i = 0; i < count_; ++i)
        grown[i] = oldestFirst(i);
    ring_.swap(grown);
    start_ = 0;
}

} // namespace dralith
