#include "platform/sim/SimNetwork.h"

#include <algorithm>
#include <cstring>

namespace sim {

class SimNetwork::SimConnection final : public platform::Connection {
public:
    explicit SimConnection(SimNetwork& network)
        : network_(network)
    {
    }
    ~SimConnection() override { network_.forget(this); }

    std::size_t read(char* buffer, std::size_t capacity) override
    {
        ++network_.reads;
        if (network_.current_ == this)
            network_.readSinceNotice_ = true;
        const std::size_t n = std::min(capacity, waiting());
        std::memcpy(buffer, bytes_.data() + readAt_, n);
        readAt_ += n;
        if (readAt_ == bytes_.size()) {
            bytes_.clear();
            readAt_ = 0;
        }
        return n;
    }

    void queue(std::string_view bytes) { bytes_.append(bytes); }
    std::size_t waiting() const { return bytes_.size() - readAt_; }

private:
    SimNetwork& network_;
    std::string bytes_;
    std::size_t readAt_ = 0;
};

void SimNetwork::forget(const SimConnection* connection)
{
    if (last_ == connection)
        last_ = nullptr;
    if (current_ != connection)
        return;
    current_ = nullptr;
    events_ = nullptr;
    accepted_ = false;
}

std::unique_ptr<platform::Connection> SimNetwork::connect(
    std::uint32_t address, std::uint16_t port, platform::ConnectionEvents& events)
{
    attempts.push_back({address, port});
    if (failToStart)
        return nullptr;
    auto connection = std::make_unique<SimConnection>(*this);
    current_ = last_ = connection.get();
    events_ = &events;
    accepted_ = false;
    readSinceNotice_ = true;
    return connection;
}

bool SimNetwork::accept()
{
    if (!current_ || accepted_)
        return false;
    accepted_ = true;
    events_->onConnected();
    return true;
}

bool SimNetwork::refuse()
{
    return drop();
}

bool SimNetwork::send(std::string_view bytes)
{
    if (!connected())
        return false;
    current_->queue(bytes);
    if (readSinceNotice_ && !bytes.empty()) {
        readSinceNotice_ = false;
        events_->onReadable();
    }
    return true;
}

bool SimNetwork::announce()
{
    if (!connected() || current_->waiting() == 0)
        return false;
    readSinceNotice_ = false;
    events_->onReadable();
    return true;
}

bool SimNetwork::drop()
{
    if (!current_)
        return false;
    platform::ConnectionEvents* events = events_;
    // Ended: the program's connection object stays with its unread bytes, but no event reaches it
    // any more.
    current_ = nullptr;
    events_ = nullptr;
    accepted_ = false;
    events->onClosed();
    return true;
}

std::size_t SimNetwork::waiting() const
{
    return last_ ? last_->waiting() : 0;
}

} // namespace sim
