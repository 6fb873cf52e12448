#include "infrared/IrReceiver.h"

namespace infrared {

IrReceiver::IrReceiver(platform::Network& network, ui::Form& form, ui::TimerId retryTimer, ui::TimerId timeoutTimer,
    std::function<void(const ButtonPress& press, std::string_view line)> onPress, std::function<void()> onStatus)
    : network_(network)
    , onPress_(std::move(onPress))
    , onStatus_(std::move(onStatus))
    , server_(*ParseServerAddress(kDefaultServer))
    , retry_(form, retryTimer, kRetryMs, false, [this] { Connect(); })
    , timeout_(form, timeoutTimer, kConnectTimeoutMs, false, [this] {
        // The connection is dropped from a timer, never from inside one of its own events.
        if (connected_)
            return;
        connection_.reset();
        Lost();
    })
{
}

IrReceiver::~IrReceiver() = default;

void IrReceiver::Start()
{
    if (running_)
        return;
    running_ = true;
    Connect();
}

void IrReceiver::Stop()
{
    running_ = false;
    retry_.setEnabled(false);
    timeout_.setEnabled(false);
    connection_.reset();
    framer_.reset();
    if (connected_) {
        connected_ = false;
        if (onStatus_)
            onStatus_();
    }
}

void IrReceiver::Connect()
{
    retry_.setEnabled(false);
    if (!running_)
        return;
    connection_.reset();
    framer_.reset();
    connection_ = network_.connect(server_.address, server_.port, *this);
    if (connection_)
        timeout_.setEnabled(true);
    else
        retry_.setEnabled(true);
}

void IrReceiver::Lost()
{
    timeout_.setEnabled(false);
    const bool wasConnected = connected_;
    connected_ = false;
    framer_.reset();
    // The closed connection is replaced at the next attempt, outside its own events.
    if (running_)
        retry_.setEnabled(true);
    if (wasConnected && onStatus_)
        onStatus_();
}

void IrReceiver::onConnected()
{
    timeout_.setEnabled(false);
    connected_ = true;
    if (onStatus_)
        onStatus_();
}

void IrReceiver::onReceived(std::string_view bytes)
{
    framer_.feed(bytes, [this](std::string_view line) {
        if (const auto press = ParsePress(line))
            onPress_(*press, line);
    });
}

void IrReceiver::onClosed()
{
    Lost();
}

} // namespace infrared
