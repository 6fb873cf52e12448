#include "platform/sim/SimNetwork.h"

namespace sim {

class SimNetwork::SimConnection final : public platform::Connection {
public:
    explicit SimConnection(SimNetwork& network)
        : network_(network)
    {
    }
    ~SimConnection() override { network_.forget(this); }

private:
    SimNetwork& network_;
};

void SimNetwork::forget(const SimConnection* connection)
{
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
    current_ = connection.get();
    events_ = &events;
    accepted_ = false;
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
    events_->onReceived(bytes);
    return true;
}

bool SimNetwork::drop()
{
    if (!current_)
        return false;
    platform::ConnectionEvents* events = events_;
    // Closed: the program's connection object stays, but no event reaches it any more.
    current_ = nullptr;
    events_ = nullptr;
    accepted_ = false;
    events->onClosed();
    return true;
}

} // namespace sim
