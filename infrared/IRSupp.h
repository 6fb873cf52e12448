#pragma once
// The infrared window: the action map as a list, "Remove" and "Close", the receiver's state, and
// the receiver itself. A press opens the "Define IR Remote action" menu in learning mode or while
// the window shows; otherwise it carries out the action its button is mapped to. With infrared
// support on, closing only hides the window so the receiver goes on listening.
#include "infrared/ActionMapFile.h"
#include "infrared/IrReceiver.h"
#include "platform/Platform.h"
#include "platform/SecondaryWindow.h"
#include "platform/Widgets.h"

#include <functional>
#include <string>
#include <string_view>

namespace infrared {

// What the window asks of the bar.
struct RemoteHooks {
    std::function<bool()> sleeping;
    std::function<bool()> learning;
    std::function<void(std::string_view action)> perform;
};

class IRSupp final {
public:
    // Created hidden, owned by the bar's form, which also shows its menus. The map is read from
    // mapPath at once.
    IRSupp(platform::Platform& platform, ui::Form& bar, std::string mapPath, std::string serverText, RemoteHooks hooks,
        std::function<void()> onUnloaded);
    IRSupp(const IRSupp&) = delete;
    IRSupp& operator=(const IRSupp&) = delete;

    // Infrared support on or off: the list and "Remove" with it, and the receiver.
    void DoEnable(bool on);
    void ShowWindow();
    // "Close": hides the window while support is on, unloads it otherwise.
    void Close();

    const ui::WindowLifetime& lifetime() const { return lifetime_; }
    ui::FormId formId() const { return form_.id(); }
    const ActionMap& map() const { return map_.map(); }
    const std::string& lastKey() const { return LastKey; }
    bool mapWritable() const { return map_.writesFile(); }
    bool shown() const { return shown_; }
    bool enabled() const { return enabled_; }

private:
    void OnPress(const ButtonPress& press);
    void Define(const char* action);
    void RemoveSelected();
    void ShowMap(int selected);
    void ShowStatus();
    // The caption says whether the map's last change is saved.
    void ShowSaveNote();
    void Hide();
    void Unload();
    ui::MenuItem BuildDefinitionMenu();

    platform::Files& files_;
    platform::Desktop& desktop_;
    ui::Toolkit& toolkit_;
    ui::Form& bar_;
    RemoteHooks hooks_;
    std::string mapPath_;
    std::string serverText_;
    ui::WindowLifetime lifetime_;
    ui::Form form_;
    ui::Control MCONS; // list box: the action map
    ui::Control MDEL;  // button: "Remove"
    ui::Control MQIT;  // button: "Close"
    ui::Control A1;    // label: the server and its state
    ui::MenuItem M1;   // "Define IR Remote action"
    ui::MenuItem listMenu_;
    ActionMapFile map_;
    bool enabled_ = false;
    bool shown_ = false;
    bool busy_ = false; // a menu is open or an action runs: presses are dropped
    std::string LastKey;
    IrReceiver IRC;
};

} // namespace infrared
