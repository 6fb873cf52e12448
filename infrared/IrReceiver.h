#pragma once
// The program's infrared receiver: a client of a WinLIRC or lircd server that raises one event
// per button press it reads, on the user-interface thread. Switched on, it connects and, when the
// server refuses, stalls or goes away, tries again every two seconds without ever waiting.
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

    // Its two timers are timers of `form`. onPress gets each well-formed line; onStatus hears of
    // every change of the connection.
    IrReceiver(platform::Network& network, ui::Form& form, ui::TimerId retryTimer, ui::TimerId timeoutTimer,
        std::function<void(const ButtonPress& press, std::string_view line)> onPress, std::function<void()> onStatus);
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
    void onReceived(std::string_view bytes) override;
    void onClosed() override;
    void Connect();
    void Lost();

    platform::Network& network_;
    std::function<void(const ButtonPress&, std::string_view)> onPress_;
    std::function<void()> onStatus_;
    ServerAddress server_;
    std::unique_ptr<platform::Connection> connection_;
    LineFramer framer_;
    bool running_ = false;
    bool connected_ = false;
    ui::Timer retry_;   // the next attempt after a refusal, a time-out or a drop
    ui::Timer timeout_; // gives up a connection that does not come
};

} // namespace infrared
