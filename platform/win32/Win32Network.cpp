#include "platform/win32/Win32Network.h"

#include <winsock2.h>

#include "platform/win32/SystemLibrary.h"
#include "platform/win32/WinApi.h"

#include <cstring>

namespace platform::win32 {

// Loaded and started (WSAStartup) by load(); cleaned up and freed once neither the network nor a
// connection holds it.
struct Win32Network::Winsock {
    using StartupFn = int(WSAAPI*)(WORD, WSADATA*);
    using CleanupFn = int(WSAAPI*)();
    using SocketFn = SOCKET(WSAAPI*)(int, int, int);
    using AsyncSelectFn = int(WSAAPI*)(SOCKET, HWND, u_int, long);
    using ConnectFn = int(WSAAPI*)(SOCKET, const sockaddr*, int);
    using CloseSocketFn = int(WSAAPI*)(SOCKET);
    using ReceiveFn = int(WSAAPI*)(SOCKET, char*, int, int);
    using LastErrorFn = int(WSAAPI*)();

    Winsock() = default;
    Winsock(const Winsock&) = delete;
    Winsock& operator=(const Winsock&) = delete;
    ~Winsock()
    {
        if (started)
            cleanup();
    }

    // A started Winsock, or null when the DLL or one of its functions is missing.
    static std::shared_ptr<const Winsock> load()
    {
        auto winsock = std::make_shared<Winsock>();
        winsock->module = loadSystemLibrary("ws2_32.dll");
        const HMODULE module = winsock->module.get();
        if (!module)
            return nullptr;
        const auto startup = procAddress<StartupFn>(module, "WSAStartup");
        winsock->cleanup = procAddress<CleanupFn>(module, "WSACleanup");
        winsock->socket = procAddress<SocketFn>(module, "socket");
        winsock->asyncSelect = procAddress<AsyncSelectFn>(module, "WSAAsyncSelect");
        winsock->connect = procAddress<ConnectFn>(module, "connect");
        winsock->closeSocket = procAddress<CloseSocketFn>(module, "closesocket");
        winsock->receive = procAddress<ReceiveFn>(module, "recv");
        winsock->lastError = procAddress<LastErrorFn>(module, "WSAGetLastError");
        if (!startup || !winsock->cleanup || !winsock->socket || !winsock->asyncSelect || !winsock->connect ||
            !winsock->closeSocket || !winsock->receive || !winsock->lastError)
            return nullptr;
        WSADATA data = {};
        winsock->started = startup(MAKEWORD(2, 2), &data) == 0;
        if (!winsock->started)
            return nullptr;
        return winsock;
    }

    UniqueModule module;
    bool started = false;
    CleanupFn cleanup = nullptr;
    SocketFn socket = nullptr;
    AsyncSelectFn asyncSelect = nullptr;
    ConnectFn connect = nullptr;
    CloseSocketFn closeSocket = nullptr;
    ReceiveFn receive = nullptr;
    LastErrorFn lastError = nullptr;
};

namespace {

// Big-endian as the wire wants it, without ws2_32's htonl and htons.
std::uint32_t networkOrder(std::uint32_t value)
{
    const unsigned char bytes[4] = {static_cast<unsigned char>(value >> 24), static_cast<unsigned char>(value >> 16),
        static_cast<unsigned char>(value >> 8), static_cast<unsigned char>(value)};
    std::uint32_t ordered = 0;
    std::memcpy(&ordered, bytes, sizeof ordered);
    return ordered;
}

std::uint16_t networkOrder(std::uint16_t value)
{
    const unsigned char bytes[2] = {static_cast<unsigned char>(value >> 8), static_cast<unsigned char>(value)};
    std::uint16_t ordered = 0;
    std::memcpy(&ordered, bytes, sizeof ordered);
    return ordered;
}

constexpr UINT kSocketMessage = WM_APP + 1;
constexpr const char* kConnectionClass = "Tolvane.Connection";

// The socket and its message-only window. Kept alive while one of its messages is handled, so a
// handler may drop the connection that called it.
class SocketWindow final : public win32kit::WindowBase, public std::enable_shared_from_this<SocketWindow> {
public:
    SocketWindow(std::shared_ptr<const Win32Network::Winsock> winsock, ConnectionEvents& events)
        : winsock_(std::move(winsock))
        , events_(&events)
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
        socket_ = winsock_->socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        // Also makes the socket non-blocking.
        if (socket_ == INVALID_SOCKET ||
            winsock_->asyncSelect(socket_, window_, kSocketMessage, FD_CONNECT | FD_READ | FD_CLOSE) != 0)
            return false;
        sockaddr_in to = {};
        to.sin_family = AF_INET;
        to.sin_addr.s_addr = networkOrder(address);
        to.sin_port = networkOrder(port);
        if (winsock_->connect(socket_, reinterpret_cast<const sockaddr*>(&to), sizeof to) == 0)
            return true;
        return winsock_->lastError() == WSAEWOULDBLOCK;
    }

    // Winsock posts FD_READ again after a recv that leaves bytes waiting, and once more when bytes
    // arrive after a recv that found none. After the other side's end the socket stays open for
    // the bytes still waiting in it.
    std::size_t read(char* buffer, std::size_t capacity)
    {
        if (socket_ == INVALID_SOCKET || capacity == 0)
            return 0;
        const int most = capacity > 0x10000 ? 0x10000 : static_cast<int>(capacity);
        const int got = winsock_->receive(socket_, buffer, most, 0);
        return got > 0 ? static_cast<std::size_t>(got) : 0;
    }

    // No event follows.
    void close()
    {
        events_ = nullptr;
        if (socket_ != INVALID_SOCKET) {
            winsock_->closeSocket(socket_);
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

    std::shared_ptr<const Win32Network::Winsock> winsock_;
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
    win32kit::WindowClass description;
    description.name = kConnectionClass;
    classes_.add(description);
}

Win32Network::~Win32Network() = default;

std::unique_ptr<Connection> Win32Network::connect(std::uint32_t address, std::uint16_t port, ConnectionEvents& events)
{
    if (!loaded_) {
        loaded_ = true;
        winsock_ = Winsock::load();
    }
    if (!winsock_)
        return nullptr;
    auto window = std::make_shared<SocketWindow>(winsock_, events);
    if (!window->open(address, port)) {
        window->close();
        return nullptr;
    }
    return std::make_unique<Win32Connection>(std::move(window));
}

} // namespace platform::win32
