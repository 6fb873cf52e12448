#pragma once
// A secondary window of the program (about box, task manager, settings, ...): created on first
// use, and freed only once the last of its handlers has returned. Its handlers may let pending
// messages run, and those can close the window; so closing only destroys the platform window and
// the object waits, closed, until a timer of the owner form frees it from the message loop.
#include "platform/Widgets.h"

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

namespace ui {

// Counts the window's handlers on the stack and knows whether it was closed. The owner learns,
// through onReleasable, when a closed window's last handler returns.
class WindowLifetime {
public:
    explicit WindowLifetime(std::function<void()> onReleasable)
        : onReleasable_(std::move(onReleasable))
    {
    }
    WindowLifetime(const WindowLifetime&) = delete;
    WindowLifetime& operator=(const WindowLifetime&) = delete;

    // Held by every handler of the window for as long as it runs.
    class Scope {
    public:
        explicit Scope(WindowLifetime& lifetime)
            : lifetime_(lifetime)
        {
            ++lifetime_.depth_;
        }
        ~Scope()
        {
            if (--lifetime_.depth_ == 0 && lifetime_.unloaded_ && lifetime_.onReleasable_)
                lifetime_.onReleasable_();
        }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        WindowLifetime& lifetime_;
    };

    bool unloaded() const { return unloaded_; }
    bool busy() const { return depth_ > 0; }
    // Marks the window closed; false when it already was. Call it from inside a Scope.
    bool markUnloaded()
    {
        if (unloaded_)
            return false;
        unloaded_ = true;
        return true;
    }
    // Marks the window closed and destroys its platform window, once; the object itself stays
    // until its owner frees it. False when it was closed already.
    bool Unload(Toolkit& toolkit, FormId form)
    {
        if (!markUnloaded())
            return false;
        toolkit.destroyForm(form);
        return true;
    }

private:
    std::function<void()> onReleasable_;
    int depth_ = 0;
    bool unloaded_ = false;
};

// The frame of a secondary window: centred on the screen around its client area, owned by the
// window that opens it.
inline FormSpec CentredFormSpec(const ScreenMetrics& screen, Size client, platform::WindowHandle owner)
{
    FormSpec props;
    props.client = client;
    props.rect.left = (screen.widthTwips() - client.width) / 2;
    props.rect.top = (screen.heightTwips() - client.height) / 2;
    props.owner = owner;
    return props;
}

// The platform closed the window (the user, a log off, another program): its platform window is
// gone already, and `unload` makes the object follow, inside a handler scope.
inline void UnloadWhenClosed(Form& form, WindowLifetime& lifetime, std::function<void()> unload)
{
    form.onClosed = [&lifetime, unload = std::move(unload)] {
        WindowLifetime::Scope scope(lifetime);
        unload();
    };
}

// Holds at most one open window of type W (which offers `const WindowLifetime& lifetime() const`)
// and the closed ones still waiting for their handlers to return.
template <class W> class SecondaryWindow {
public:
    // Makes a window; the callback it is handed must reach its WindowLifetime.
    using Factory = std::function<std::unique_ptr<W>(std::function<void()> onReleasable)>;

    // releaseTimer is an id of a timer on the owner form, unused by anything else.
    SecondaryWindow(Form& owner, TimerId releaseTimer, Factory make)
        : make_(std::move(make))
        // Armed when a closed window's last handler returns; fires from the message loop, outside
        // every handler of that window. (A zero interval would never fire.)
        , release_(owner, releaseTimer, 1, false, [this] { ReleaseClosed(); })
    {
    }
    SecondaryWindow(const SecondaryWindow&) = delete;
    SecondaryWindow& operator=(const SecondaryWindow&) = delete;

    // The open window, made now when none is open (then *created is set).
    W& Open(bool* created = nullptr)
    {
        if (created)
            *created = false;
        if (isOpen())
            return *current_;
        if (current_)
            closed_.push_back(std::move(current_));
        ReleaseClosed();
        current_ = make_([this] { release_.setEnabled(true); });
        if (created)
            *created = true;
        return *current_;
    }

    bool isOpen() const { return current_ && !current_->lifetime().unloaded(); }
    // The open window, or null.
    W* window() const { return isOpen() ? current_.get() : nullptr; }
    // A closed window still waits to be freed.
    bool holdsClosedWindow() const { return !closed_.empty() || (current_ && current_->lifetime().unloaded()); }

private:
    void ReleaseClosed()
    {
        release_.setEnabled(false);
        if (current_ && current_->lifetime().unloaded() && !current_->lifetime().busy())
            current_.reset();
        closed_.erase(
            std::remove_if(closed_.begin(), closed_.end(), [](const auto& w) { return !w->lifetime().busy(); }),
            closed_.end());
    }

    Factory make_;
    std::unique_ptr<W> current_;
    // Closed windows waiting for their last handler to return.
    std::vector<std::unique_ptr<W>> closed_;
    Timer release_;
};

} // namespace ui
