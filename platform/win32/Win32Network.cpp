#include "platform/win32/Win32Network.h"

#include <winsock2.h>

#include "platform/win32/WinApi.h"

namespace platform::win32 {

namespace {

constexpr UINT kSocketMessage = WM_APP + 1;
constexpr const char* kConnectionClass = "Tolvane.Connection";
// One read per notification; Winsock posts another while bytes remain.
constexpr int kReadBytes = 4096;

// The socket and its message-only window. Kept alive while one of its messages is handled, so a
// handler may drop the connection that called it.
class SocketWindow final : public win32kit::WindowBase, public std::enable_shared_from_this<SocketWindow> {
public:
    explicit SocketWindow(ConnectionEvents& events)
        : events_(&events)
    {
    }
    SocketWindow(const SocketWindow&) = delete;
    SocketWindow& operator=(const SocketWindow&) = delete;

    bool open(std::uint32_t address, std::uint16_t port)
    {
        win32kit::WindowSpec creation;
        creation.className = kConnectionClass;
        creation.parent = HWND_MESSAGE;
        window_ = win32kit::createWindow(GetModuleHandleA(nullptr), creation, *this);
        if (!window_)
            return false;
        socket_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        // Also makes the socket non-blocking.
        if (socket_ == INVALID_SOCKET ||
            WSAAsyncSelect(socket_, window_, kSocketMessage, FD_CONNECT | FD_READ | FD_CLOSE) != 0)
            return false;
        sockaddr_in to = {};
        to.sin_family = AF_INET;
        to.sin_addr.s_addr = htonl(address);
        to.sin_port = htons(port);
        if (::connect(socket_, reinterpret_cast<const sockaddr*>(&to), sizeof to) == 0)
            return true;
        return WSAGetLastError() == WSAEWOULDBLOCK;
    }

    // No event follows.
    void close()
    {
        events_ = nullptr;
        if (socket_ != INVALID_SOCKET) {
            closesocket(socket_);
            socket_ = INVALID_SOCKET;
        }
        if (const HWND window = window_) {
            window_ = nullptr;
            DestroyWindow(window);
        }
    }

    LRESULT handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message != kSocketMessage)
            return DefWindowProcA(window, message, wParam, lParam);
        // A message still queued for a socket closed since then.
        if (static_cast<SOCKET>(wParam) != socket_ || !events_)
            return 0;
        switch (WSAGETSELECTEVENT(lParam)) {
        case FD_CONNECT:
            if (WSAGETSELECTERROR(lParam) != 0)
                closeWithEvent();
            else
                events_->onConnected();
            break;
        case FD_READ:
            receive();
            break;
        case FD_CLOSE:
            receive();
            closeWithEvent();
            break;
        default:
            break;
        }
        return 0;
    }
    void windowDestroyed(HWND) override { window_ = nullptr; }
    std::shared_ptr<const void> holdDuringMessage() override { return shared_from_this(); }

private:
    void receive()
    {
        if (!events_)
            return;
        char bytes[kReadBytes];
        const int got = recv(socket_, bytes, sizeof bytes, 0);
        if (got > 0)
            events_->onReceived(std::string_view(bytes, static_cast<std::size_t>(got)));
        else if (got == SOCKET_ERROR && WSAGetLastError() != WSAEWOULDBLOCK)
            closeWithEvent();
    }

    void closeWithEvent()
    {
        ConnectionEvents* events = events_;
        close();
        if (events)
            events->onClosed();
    }

    ConnectionEvents* events_;
    HWND window_ = nullptr;
    SOCKET socket_ = INVALID_SOCKET;
};

class Win32Connection final : public Connection {
public:
    explicit Win32Connection(std::shared_ptr<SocketWindow> window)
        : window_(std::move(window))
    {
    }
    ~Win32Connection() override { window_->close(); }
    Win32Connection(const Win32Connection&) = delete;
    Win32Connection& operator=(const Win32Connection&) = delete;

private:
    std::shared_ptr<SocketWindow> window_;
};

} // namespace

Win32Network::Win32Network()
    : classes_(GetModuleHandleA(nullptr))
{
    WSADATA data = {};
    started_ = WSAStartup(MAKEWORD(2, 2), &data) == 0;
    win32kit::WindowClass description;
    description.name = kConnectionClass;
    classes_.add(description);
}

Win32Network::~Win32Network()
{
    if (started_)
        WSACleanup();
}

std::unique_ptr<Connection> Win32Network::connect(std::uint32_t address, std::uint16_t port, ConnectionEvents& events)
{
    if (!started_)
        return nullptr;
    auto window = std::make_shared<SocketWindow>(events);
    if (!window->open(address, port)) {
        window->close();
        return nullptr;
    }
    return std::make_unique<Win32Connection>(std::move(window));
}

} // namespace platform::win32
