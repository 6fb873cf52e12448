#include "platform/win32/Win32Network.h"

#include <winsock2.h>

#include "platform/win32/WinApi.h"

namespace platform::win32 {

namespace {

constexpr UINT kSocketMessage = WM_APP + 1;
constexpr const char* kConnectionClass = "Tolvane.Connection";

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

    // Winsock posts FD_READ again after a recv that leaves bytes waiting, and once more when bytes
    // arrive after a recv that found none. After the other side's end the socket stays open for
    // the bytes still waiting in it.
    std::size_t read(char* buffer, std::size_t capacity)
    {
        if (socket_ == INVALID_SOCKET || capacity == 0)
            return 0;
        const int most = capacity > 0x10000 ? 0x10000 : static_cast<int>(capacity);
        const int got = recv(socket_, buffer, most, 0);
        return got > 0 ? static_cast<std::size_t>(got) : 0;
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
            events_->onReadable();
            break;
        case FD_CLOSE: {
            // Bytes may still wait behind the end: the socket stays for them, the events end.
            ConnectionEvents* events = events_;
            events_ = nullptr;
            events->onClosed();
            break;
        }
        default:
            break;
        }
        return 0;
    }
    void windowDestroyed(HWND) override { window_ = nullptr; }
    std::shared_ptr<const void> holdDuringMessage() override { return shared_from_this(); }

private:
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

    std::size_t read(char* buffer, std::size_t capacity) override { return window_->read(buffer, capacity); }

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
