#pragma once
// The program's infrared receiver: a client of a WinLIRC or lircd server that raises one event
// per button press it reads, on the user-interface thread. Switched on, it connects and, when the
// server refuses, stalls or goes away, tries again every two seconds without ever waiting.
// It reads in rounds of a few lines: after a full round the next one comes from a short timer,
// which the system hands out only after input, painting and the other timers, so that a server
// sending without pause cannot starve the bar's clock, refresh and clicks. When the server ends
// the connection, what it sent before is still read to the end.
#include "infrared/LircLine.h"
#include "infrared/ServerAddress.h"
#include "platform/Network.h"
#include "platform/Widgets.h"

#include <functional>
#include <memory>
#include <string>

namespace infrared {

class IrReceiver final : private platform::ConnectionEvents {
public:
    static constexpr int kRetryMs = 2000;
    static constexpr int kConnectTimeoutMs = 5000;
    // One round: at most this many lines, pressed buttons or not, and this many bytes read.
    static constexpr std::size_t kRoundLines = 64;
    static constexpr std::size_t kRoundBytes = 16384;
    static constexpr std::size_t kReadBytes = 4096; // one read
    static constexpr int kRoundGapMs = 10;

    // Its three timers are timers of `form`. onPress gets each well-formed press; onStatus hears
    // of every change of the connection.
    IrReceiver(platform::Network& network, ui::Form& form, ui::TimerId retryTimer, ui::TimerId timeoutTimer,
        ui::TimerId roundTimer, std::function<void(const ButtonPress& press)> onPress, std::function<void()> onStatus);
    ~IrReceiver() override;
    IrReceiver(const IrReceiver&) = delete;
    IrReceiver& operator=(const IrReceiver&) = delete;

    void setServer(const ServerAddress& server) { server_ = server; }
    // Connects now and keeps connecting; Stop closes and stays closed.
    void Start();
    void Stop();

    bool running() const { return running_; }
    bool connected() const { return connected_; }

private:
    void onConnected() override;
    void onReadable() override;
    void onClosed() override;
    void Connect();
    void Lost();
    // Reads and hands on lines within one round's budget.
    void ReadRound();

    platform::Network& network_;
    std::function<void(const ButtonPress&)> onPress_;
    std::function<void()> onStatus_;
    ServerAddress server_;
    std::unique_ptr<platform::Connection> connection_;
    LineFramer framer_;
    bool running_ = false;
    bool connected_ = false;
    bool ended_ = false;      // the server ended: read what is left, then the connection is lost
    unsigned generation_ = 0; // changes with every new, stopped or lost connection
    ui::Timer retry_;         // the next attempt after a refusal, a time-out or a drop
    ui::Timer timeout_;       // gives up a connection that does not come
    ui::Timer round_;         // the next round of reading after a full one
};

} // namespace infrared
