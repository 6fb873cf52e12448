#pragma once
// RAII owners of a form, its controls and timers. A control remembers what it shows, so a write
// that changes nothing never reaches the window: a refresh that changes nothing repaints nothing.
#include "platform/Toolkit.h"

#include <optional>
#include <string>
#include <string_view>

namespace ui {

class Form {
public:
    Form(Toolkit& toolkit, const FormSpec& props, FormEvents& events);
    ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    FormId id() const { return id_; }
    Toolkit& toolkit() const { return toolkit_; }

private:
    Toolkit& toolkit_;
    FormId id_;
};

class Control {
public:
    Control(Form& form, ControlId id, const ControlSpec& props);
    ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    ControlId id() const { return id_; }
    const ControlSpec& state() const { return spec_; }
    const std::string& caption() const { return spec_.caption; }
    const std::string& toolTip() const { return spec_.toolTip; }
    bool visible() const { return spec_.visible; }
    const Rect& rect() const { return spec_.rect; }

    void setCaption(std::string_view text);
    void setToolTip(std::string_view text);
    void setVisible(bool visible);
    void setEnabled(bool enabled);
    void setRect(const Rect& rect);
    void setLeft(float left);
    void setWidth(float width);
    void setHeight(float height);
    void setColours(Colour back, Colour fore);
    // Replaces the picture; nullopt (and nothing changed) when the file cannot be loaded.
    std::optional<Size> loadPicture(const std::string& path);

private:
    Toolkit& toolkit_;
    FormId form_;
    ControlId id_;
    ControlSpec spec_;
};

class Timer {
public:
    Timer(Form& form, TimerId id, int intervalMs, bool enabled);
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    bool enabled() const { return enabled_; }
    int interval() const { return intervalMs_; }
    void setEnabled(bool enabled);
    void setInterval(int intervalMs);

private:
    Toolkit& toolkit_;
    FormId form_;
    TimerId id_;
    int intervalMs_;
    bool enabled_;
};

} // namespace ui
