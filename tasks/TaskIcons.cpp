#include "tasks/TaskIcons.h"

#include <cmath>
#include <utility>

namespace tasks {

TaskIcons::OwnedIcon& TaskIcons::OwnedIcon::operator=(OwnedIcon&& other) noexcept
{
    if (this != &other) {
        reset();
        desktop_ = other.desktop_;
        icon_ = std::exchange(other.icon_, 0);
    }
    return *this;
}

void TaskIcons::OwnedIcon::reset()
{
    if (icon_ != 0 && desktop_ != nullptr)
        desktop_->destroyIcon(std::exchange(icon_, 0));
}

TaskIcons::TaskIcons(platform::Desktop& desktop, int size, std::function<void()> changed)
    : desktop_(desktop)
    , size_(size)
    , changed_(std::move(changed))
{
    asks_.reserve(256);
    desktop_.watchIconAnswers(
        [this](platform::WindowHandle window, platform::IconHandle icon) { answered(window, icon); });
}

TaskIcons::~TaskIcons()
{
    desktop_.watchIconAnswers({});
}

int TaskIcons::SizeForScreen(float twipsPerPixel)
{
    // 16 pixels at 96 DPI, which is 15 twips per pixel.
    return static_cast<int>(std::lround(16.0f * 15.0f / twipsPerPixel));
}

platform::IconHandle TaskIcons::iconFor(platform::WindowHandle window)
{
    auto [it, isNew] = entries_.try_emplace(window);
    Entry& entry = it->second;
    entry.used = true;
    if (isNew) {
        // The class's icon is read without a message, so it stands in until the window answers.
        take(window, entry, 0);
        ask(window, entry);
    }
    entry.given = entry.shown.get();
    return entry.given;
}

void TaskIcons::refetch(platform::WindowHandle window)
{
    const auto it = entries_.find(window);
    if (it == entries_.end())
        return;
    if (it->second.asking)
        it->second.askAgain = true;
    else
        ask(window, it->second);
}

void TaskIcons::ask(platform::WindowHandle window, Entry& entry)
{
    entry.asking = true;
    entry.askAgain = false;
    asks_.push_back(window);
}

void TaskIcons::answered(platform::WindowHandle window, platform::IconHandle icon)
{
    const auto it = entries_.find(window);
    if (it == entries_.end())
        return;
    Entry& entry = it->second;
    entry.asking = false;
    bool changed = take(window, entry, icon);
    if (entry.askAgain) {
        ask(window, entry);
        changed = true; // a refresh sends it
    }
    if (changed && changed_)
        changed_();
}

bool TaskIcons::take(platform::WindowHandle window, Entry& entry, platform::IconHandle source)
{
    if (source == 0)
        source = desktop_.classIcon(window);
    // A renamed window mostly keeps its icon: no new copy, no repaint.
    if (source == entry.source)
        return false;
    entry.source = source;
    OwnedIcon copy(desktop_, source != 0 ? desktop_.copyIcon(source, size_) : 0);
    // An icon that is there but cannot be read from here: its program file's stands in.
    if (source != 0 && copy.get() == 0)
        copy = OwnedIcon(desktop_, desktop_.programIcon(window, size_));
    // The button may still show the old copy: it lives on until the buttons took the new one.
    if (entry.shown.get() != 0 && entry.shown.get() == entry.given)
        entry.retired = std::move(entry.shown);
    entry.shown = std::move(copy);
    return true;
}

void TaskIcons::finishRefresh()
{
    for (auto it = entries_.begin(); it != entries_.end();) {
        if (!it->second.used) {
            it = entries_.erase(it);
            continue;
        }
        it->second.used = false;
        it->second.retired.reset();
        ++it;
    }
    // A window of this thread answers within the send, which may queue another ask.
    for (std::size_t i = 0; i < asks_.size(); ++i)
        if (entries_.count(asks_[i]) != 0)
            desktop_.askWindowIcon(asks_[i]);
    asks_.clear();
}

} // namespace tasks
