#pragma once
// The settings window: four stacked pages (general, alignment, memory, infrared) over a bar of
// "Save", "Restore", "Defaults" and "More...". It shows the stored settings, its controls edit
// them, and "Save" stores the shown page's group and has the bar apply it. It closes itself once
// another window comes to the front; its handlers let pending messages run, so it can be closed
// from inside one of them, and then only destroys its platform window until its owner frees it.
#include "platform/Platform.h"
#include "platform/SecondaryWindow.h"
#include "platform/Widgets.h"
#include "settings/SettingsGroup.h"
#include "settings/SettingsPage.h"
#include "settings/SetupMem.h"

#include <deque>
#include <functional>

namespace settings {

struct SettingRow;

class SETUP final {
public:
    // What the window asks of the bar: to apply a saved group (or all of them), with the
    // alignment only when the user chose one in the list since the window opened or last saved
    // it; and to show the infrared window's events.
    struct Hooks {
        std::function<void(SettingsGroup group, bool alignmentChosen)> saved;
        std::function<void()> browseEvents;
    };

    // Created hidden, owned by ownerWindow. onUnloaded runs once the window is closed and none of
    // its handlers runs.
    SETUP(platform::Platform& platform, SetupMem& store, platform::WindowHandle ownerWindow, Hooks hooks,
        std::function<void()> onUnloaded);
    SETUP(const SETUP&) = delete;
    SETUP& operator=(const SETUP&) = delete;

    // Shows one page or all four, centred and in front, and lets pending messages run.
    void PopupSettings(SettingsPage page);

    const ui::WindowLifetime& lifetime() const { return lifetime_; }
    ui::FormId formId() const { return form_.id(); }
    platform::WindowHandle window() const { return OwnWindow; }
    // The shown page's tab index, -1 for all of them.
    int shownPage() const { return PageIndex(ShownPage); }

private:
    // Shows the values of one group (or all of them).
    void ShowValues(const Settings& values, SettingsGroup group);
    void ShowPreview();
    // Box k of a choice's check boxes was checked or cleared by the user.
    void ChoiceChecked(const SettingRow& row, int k);
    void Save();
    void IntervalChanged();
    void IntervalSpun();
    void MemoryBoxChanged(ui::Control& box, ui::Control& bar, int min, int max);
    void DissappearTick();
    void Unload();
    void Resize(int pages);
    // The check box or number box of this id.
    ui::Control& ControlOf(ui::ControlId id);

    ui::Toolkit& toolkit_;
    platform::Desktop& desktop_;
    SetupMem& store_;
    platform::Registry& registry_;
    Hooks hooks_;
    ui::WindowLifetime lifetime_;
    ui::Form form_;
    platform::WindowHandle OwnWindow;
    SettingsPage ShownPage = SettingsPage::All;
    // The user picked an entry of ALLIST that no save has applied yet.
    bool alignmentChosen_ = false;

    std::deque<ui::Control> SetupPage;  // panels, one per page
    std::deque<ui::Control> CheckBoxes; // every page's, as listed in SETUP.cpp
    ui::Control Label2;                 // the general page's title
    ui::Control A00;                    // label: "refresh interval (seconds)"
    ui::Control RefInterval;            // text box: the refresh interval
    ui::Control RefScroll;              // scroll bar: its spin arrows
    ui::Control Label5;                 // the alignment page's title
    ui::Control ALLIST;                 // list box: where the bar stands
    std::deque<ui::Control> PREV;       // pictures: the preview of each ALLIST item
    ui::Control Label3;                 // the memory page's title
    ui::Control A20;                    // label: "memory to free up (MB)"
    ui::Control AUTOMEMAX;              // text box: megabytes to free up
    ui::Control VScroll2;               // scroll bar: steps AUTOMEMAX
    ui::Control AUTOMEMIN;              // text box: the automatic free-up's threshold
    ui::Control VScroll3;               // scroll bar: steps AUTOMEMIN
    ui::Control Label6;                 // the infrared page's title
    ui::Control BBrowseIR;              // label used as a button: "Browse events"
    ui::Control BX0;                    // panel: the button bar
    ui::Control BX1;                    // "Save"
    ui::Control BX2;                    // "Restore"
    ui::Control BX3;                    // "Defaults"
    ui::Control BMore;                  // "More..."
    ui::Control Picture1;               // the small icon over the topmost page's title
    ui::Timer Dissappear;               // 2000 ms: closes the window when in the background
};

} // namespace settings
