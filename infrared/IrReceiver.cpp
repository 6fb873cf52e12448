#include "infrared/IrReceiver.h"

namespace infrared {

IrReceiver::IrReceiver(platform::Network& network, ui::Form& form, ui::TimerId retryTimer, ui::TimerId timeoutTimer,
    ui::TimerId roundTimer, std::function<void(const ButtonPress& press)> onPress, std::function<void()> onStatus)
    : network_(network)
    , onPress_(std::move(onPress))
    , onStatus_(std::move(onStatus))
    , server_(*ParseServerAddress(kDefaultServer))
    , retry_(form, retryTimer, kRetryMs, false, [this] { Connect(); })
    , timeout_(form, timeoutTimer, kConnectTimeoutMs, false,
          [this] {
              // The connection is dropped from a timer, never from inside one of its own events.
              if (connected_)
                  return;
              connection_.reset();
              Lost();
          })
    , round_(form, roundTimer, kRoundGapMs, false, [this] { ReadRound(); })
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
    ++generation_;
    retry_.setEnabled(false);
    timeout_.setEnabled(false);
    round_.setEnabled(false);
    connection_.reset();
    framer_.reset();
    ended_ = false;
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
    ++generation_;
    round_.setEnabled(false);
    connection_.reset();
    framer_.reset();
    ended_ = false;
    connection_ = network_.connect(server_.address, server_.port, *this);
    if (connection_)
        timeout_.setEnabled(true);
    else
        retry_.setEnabled(true);
}

void IrReceiver::Lost()
{
    ++generation_;
    timeout_.setEnabled(false);
    round_.setEnabled(false);
    const bool wasConnected = connected_;
    connected_ = false;
    ended_ = false;
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

void IrReceiver::onReadable()
{
    // With a round due, the bytes wait for it: reading now would put the socket's next notice
    // before everything else again.
    if (!round_.enabled())
        ReadRound();
}

void IrReceiver::onClosed()
{
    ended_ = true;
    if (!round_.enabled())
        ReadRound();
}

void IrReceiver::ReadRound()
{
    round_.setEnabled(false);
    const unsigned generation = generation_;
    std::size_t lines = 0, bytes = 0;
    for (;;) {
        if (!connection_)
            return;
        if (lines == kRoundLines) {
            round_.setEnabled(true);
            return;
        }
        const std::optional<std::string_view> line = framer_.next();
        if (!line) {
            if (bytes >= kRoundBytes) {
                round_.setEnabled(true);
                return;
            }
            char chunk[kReadBytes];
            const std::size_t got = connection_->read(chunk, sizeof chunk);
            if (got == 0)
                break;
            bytes += got;
            framer_.append(std::string_view(chunk, got));
            continue;
        }
        ++lines;
        if (const std::optional<ButtonPress> press = ParsePress(*line)) {
            onPress_(*press);
            // The handler may have let messages run: the connection may be gone or new, and a
            // nested round may have read on.
            if (generation != generation_)
                return;
        }
    }
    // Nothing waits: the next bytes bring their own notice, unless the server has ended.
    if (ended_)
        Lost();
}

} // namespace infrared
