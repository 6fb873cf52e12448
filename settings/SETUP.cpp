#include "settings/SETUP.h"

#include "settings/HotKeySetting.h"
#include "settings/SettingsIds.h"
#include "settings/SetupRules.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace settings {

namespace ids = settings_ids;

namespace {

constexpr int kDissappearMs = 2000;
constexpr int kIntervalMin = kIntervalRange.min, kIntervalMax = kIntervalRange.max;
constexpr int kFreeUpMin = kFreeUpRange.min, kFreeUpMax = kFreeUpRange.max;
constexpr int kThresholdMin = kThresholdRange.min, kThresholdMax = kThresholdRange.max;

const char* const kAlignments[] = {"off", "foreground", "fixed right", "left", "top", "right", "bottom left", "bottom",
    "bottom right", "left (large)", "right (large)"};
constexpr int kAlignmentCount = static_cast<int>(sizeof kAlignments / sizeof kAlignments[0]);

ui::FormSpec FormSpecOf(const ui::ScreenMetrics& screen, platform::WindowHandle owner)
{
    ui::FormSpec props = ui::CentredFormSpec(screen, ClientSizeFor(1), owner);
    props.caption = "Settings";
    props.titleBar = false;
    props.sizable = false;
    props.toolWindow = true;
    // No cancel button: Esc closes the window, as it closes itself when left.
    props.dialogKeys = true;
    props.defaultButton = ids::BX1;
    return props;
}

ui::ControlSpec Make(ui::ControlKind kind, ui::ControlId parent, ui::Rect rect, std::string caption = {})
{
    ui::ControlSpec props;
    props.kind = kind;
    props.parent = parent;
    props.rect = rect;
    props.caption = std::move(caption);
    return props;
}

ui::ControlSpec PageSpec(int page)
{
    ui::ControlSpec props = Make(ui::ControlKind::Panel, 0, {0, PageTop(page), kPageWidth, kPageHeight});
    props.visible = false;
    return props;
}

ui::ControlSpec TitleSpec(int page, const char* caption)
{
    ui::ControlSpec props = Make(ui::ControlKind::Label, ids::SetupPage_0 + page, {0, 0, kPageWidth, 225}, caption);
    props.align = ui::TextAlign::Centre;
    props.back = ui::kSysActiveCaption;
    props.fore = ui::kSysActiveCaptionText;
    return props;
}

// Captions end before the boxes and arrows on their right, so nothing overlaps; the boxes are wide
// enough for their longest number inside a sunken border.
ui::ControlSpec CheckSpec(int page, float top, float width, const char* caption)
{
    return Make(ui::ControlKind::CheckBox, ids::SetupPage_0 + page, {120, top, width, 255}, caption);
}

ui::ControlSpec NumberBoxSpec(int page, ui::Rect rect, int maxLength)
{
    ui::ControlSpec props = Make(ui::ControlKind::TextBox, ids::SetupPage_0 + page, rect);
    props.align = ui::TextAlign::Centre;
    props.maxLength = maxLength;
    props.border = true;
    props.back = ui::kSysWindow;
    props.fore = ui::kSysWindowText;
    return props;
}

// Upside down, so that the upper arrow counts up.
ui::ControlSpec StepperSpec(int page, ui::Rect rect, int low, int high, int page_step)
{
    ui::ControlSpec props = Make(ui::ControlKind::ScrollBar, ids::SetupPage_0 + page, rect);
    props.min = high;
    props.max = low;
    props.value = low;
    props.largeChange = page_step;
    return props;
}

ui::ControlSpec SpinSpec()
{
    ui::ControlSpec props = Make(ui::ControlKind::ScrollBar, ids::SetupPage_0, {2760, 645, 255, 360});
    props.min = 0;
    props.max = 2;
    props.value = 1;
    return props;
}

ui::ControlSpec ButtonLabelSpec(ui::ControlId parent, ui::Rect rect, const char* caption)
{
    ui::ControlSpec props = Make(ui::ControlKind::Label, parent, rect, caption);
    props.border = true;
    props.align = ui::TextAlign::Centre;
    props.pressable = true;
    return props;
}

ui::ControlSpec HotKeyCheckSpec()
{
    ui::ControlSpec props = CheckSpec(3, 810, 1380, "bar hot key");
    props.toolTip = "Ctrl+Alt+Home brings the bar out";
    return props;
}

ui::ControlSpec AlignmentListSpec()
{
    ui::ControlSpec props = Make(ui::ControlKind::ListBox, ids::SetupPage_0 + 1, {0, 240, 1935, 810});
    props.items.assign(std::begin(kAlignments), std::end(kAlignments));
    props.border = true;
    props.back = ui::kSysWindow;
    props.fore = ui::kSysWindowText;
    return props;
}

ui::ControlSpec PreviewSpec(int index)
{
    // 64 x 48 pixels at the usual 15 twips to the pixel.
    ui::ControlSpec props = Make(ui::ControlKind::Picture, ids::SetupPage_0 + 1, {2040, 270, 960, 720});
    props.artwork = static_cast<ui::Artwork>(static_cast<int>(ui::Artwork::AlignPreview0) + index);
    props.visible = false;
    return props;
}

// A deque never moves its elements, which the form knows by address.
std::deque<ui::Control> MakePages(ui::Form& form)
{
    std::deque<ui::Control> pages;
    for (int i = 0; i < kPageCount; ++i)
        pages.emplace_back(form, ids::SetupPage_0 + i, PageSpec(i));
    return pages;
}

std::deque<ui::Control> MakePreviews(ui::Form& form)
{
    std::deque<ui::Control> previews;
    for (int i = 0; i < kAlignmentCount; ++i)
        previews.emplace_back(form, ids::PREV_0 + i, PreviewSpec(i));
    return previews;
}

ui::ControlSpec IconSpec()
{
    ui::ControlSpec props = Make(ui::ControlKind::Picture, 0, {30, 0, 240, 210});
    props.artwork = ui::Artwork::TaskIcon;
    props.back = ui::kSysActiveCaption;
    return props;
}

bool Includes(float group, float page)
{
    return group == SetupMem::kAllGroups || group == page;
}

std::string NumberText(float value, int min, int max)
{
    const float whole = std::nearbyint(value);
    if (!(whole >= min))
        return {};
    return std::to_string(whole > max ? max : static_cast<int>(whole));
}

// The number a box shows, within its range; nullopt when it is empty.
std::optional<float> ShownNumber(const ui::Control& box, int min, int max)
{
    const std::optional<long> value = LeadingNumber(box.text());
    if (!value)
        return std::nullopt;
    return static_cast<float>(std::clamp<long>(*value, min, max));
}

} // namespace

SETUP::SETUP(platform::Platform& platform, SetupMem& store, platform::WindowHandle ownerWindow, Hooks hooks,
    std::function<void()> onUnloaded)
    : toolkit_(platform.toolkit())
    , desktop_(platform.desktop())
    , store_(store)
    , registry_(platform.registry())
    , hooks_(std::move(hooks))
    , lifetime_(std::move(onUnloaded))
    , form_(toolkit_, FormSpecOf(toolkit_.screen(), ownerWindow))
    , OwnWindow(form_.window())
    , SetupPage(MakePages(form_))
    , Label2(form_, ids::Label2, TitleSpec(0, "General..."))
    , HTASK(form_, ids::HTASK, CheckSpec(0, 240, 2160, "hide in Taskmanager"))
    , NOTASKM(form_, ids::NOTASKM, CheckSpec(0, 480, 2160, "disable Taskmanager"))
    , A00(form_, ids::A00,
          Make(ui::ControlKind::Label, ids::SetupPage_0, {120, 750, 2040, 255}, "refresh interval (seconds)"))
    , RefInterval(form_, ids::RefInterval, NumberBoxSpec(0, {2280, 690, 450, 285}, 2))
    , RefScroll(form_, ids::RefScroll, SpinSpec())
    , Label5(form_, ids::Label5, TitleSpec(1, "Alignment"))
    , ALLIST(form_, ids::ALLIST, AlignmentListSpec())
    , PREV(MakePreviews(form_))
    , Label3(form_, ids::Label3, TitleSpec(2, "Memory..."))
    , A20(form_, ids::A20,
          Make(ui::ControlKind::Label, ids::SetupPage_0 + 2, {120, 330, 1980, 255}, "memory to free up (MB)"))
    , AUTOMEMAX(form_, ids::AUTOMEMAX, NumberBoxSpec(2, {2160, 300, 555, 285}, 4))
    , VScroll2(form_, ids::VScroll2, StepperSpec(2, {2760, 240, 255, 360}, kFreeUpMin, kFreeUpMax, 64))
    , AUTOMEMCHECK(form_, ids::AUTOMEMCHECK, CheckSpec(2, 645, 1980, "Free up if below..."))
    , AUTOMEMIN(form_, ids::AUTOMEMIN, NumberBoxSpec(2, {2160, 630, 555, 285}, 4))
    , VScroll3(form_, ids::VScroll3, StepperSpec(2, {2760, 600, 255, 360}, kThresholdMin, kThresholdMax, 8))
    , Label6(form_, ids::Label6, TitleSpec(3, "Infrared remote control"))
    , MUSE(form_, ids::MUSE, CheckSpec(3, 240, 2895, "enable IR Support"))
    , LRNM(form_, ids::LRNM, CheckSpec(3, 480, 2895, "learning mode"))
    , BBrowseIR(form_, ids::BBrowseIR, ButtonLabelSpec(ids::SetupPage_0 + 3, {1560, 810, 1455, 255}, "Browse events"))
    , HOTKEY(form_, ids::HOTKEY, HotKeyCheckSpec())
    , BX0(form_, ids::BX0, Make(ui::ControlKind::Panel, 0, {0, PageTop(1), kPageWidth, kButtonBarHeight}))
    , BX1(form_, ids::BX1, ButtonLabelSpec(ids::BX0, {120, 120, 735, 255}, "Save"))
    , BX2(form_, ids::BX2, ButtonLabelSpec(ids::BX0, {840, 120, 735, 255}, "Restore"))
    , BX3(form_, ids::BX3, ButtonLabelSpec(ids::BX0, {1560, 120, 735, 255}, "Defaults"))
    , BMore(form_, ids::BMore, ButtonLabelSpec(ids::BX0, {2280, 120, 735, 255}, "More..."))
    , Picture1(form_, ids::Picture1, IconSpec())
    , Dissappear(form_, ids::Dissappear, kDissappearMs, false, [this] { DissappearTick(); })
{
    const auto numbersOnly = [](int& characterCode) {
        if (!IsNumberBoxKey(characterCode))
            characterCode = 0;
    };
    RefInterval.onKeyPress(numbersOnly);
    AUTOMEMAX.onKeyPress(numbersOnly);
    AUTOMEMIN.onKeyPress(numbersOnly);
    RefInterval.onChange([this] { IntervalChanged(); });
    RefScroll.onChange([this] { IntervalSpun(); });
    AUTOMEMAX.onChange([this] { MemoryBoxChanged(AUTOMEMAX, VScroll2, kFreeUpMin, kFreeUpMax); });
    AUTOMEMIN.onChange([this] { MemoryBoxChanged(AUTOMEMIN, VScroll3, kThresholdMin, kThresholdMax); });
    VScroll2.onChange([this] { AUTOMEMAX.setCaption(std::to_string(VScroll2.value())); });
    VScroll3.onChange([this] { AUTOMEMIN.setCaption(std::to_string(VScroll3.value())); });
    ALLIST.onClick([this] {
        alignmentChosen_ = true;
        ShowPreview();
    });
    BX1.onClick([this] { Save(); });
    // Both replace the user's choices, the alignment's among them.
    BX2.onClick([this] {
        alignmentChosen_ = false;
        ShowValues(store_.settings(), SetupMem::kAllGroups);
    });
    BX3.onClick([this] {
        alignmentChosen_ = false;
        ShowValues(Settings {}, SetupMem::kAllGroups);
        HOTKEY.setValue(1);
    });
    BMore.onClick([this] { PopupSettings(kAllPages); });
    BBrowseIR.onClick([this] {
        ui::WindowLifetime::Scope scope(lifetime_);
        if (hooks_.browseEvents)
            hooks_.browseEvents();
    });
    ui::UnloadWhenClosed(form_, lifetime_, [this] { Unload(); });
    ShowValues(store_.settings(), SetupMem::kAllGroups);
}

void SETUP::PopupSettings(int page)
{
    if (lifetime_.unloaded())
        return;
    ui::WindowLifetime::Scope scope(lifetime_);
    if (page < kAllPages || page >= kPageCount)
        page = kAllPages;
    ShownPage = page;
    const bool all = page == kAllPages;
    for (int i = 0; i < kPageCount; ++i) {
        ui::Control& shown = SetupPage[static_cast<std::size_t>(i)];
        shown.setVisible(all || i == page);
        if (all || i == page)
            shown.setRect({0, PageTop(all ? i : 0), kPageWidth, kPageHeight});
    }
    BMore.setVisible(!all);
    Resize(all ? kPageCount : 1);
    toolkit_.bringToFront(form_.id());
    toolkit_.processPendingMessages();
    // The pending messages may have closed the window.
    if (lifetime_.unloaded())
        return;
    Dissappear.setEnabled(true);
}

void SETUP::Resize(int pages)
{
    const ui::Size client = ClientSizeFor(pages);
    BX0.setRect({0, client.height - kButtonBarHeight, kPageWidth, kButtonBarHeight});
    // The frame keeps its border whatever the platform draws: only the client area is chosen.
    const ui::Rect frame = toolkit_.formRect(form_.id());
    const ui::Size inner = toolkit_.clientSize(form_.id());
    const ui::ScreenMetrics screen = toolkit_.screen();
    ui::Rect sized;
    sized.width = client.width + (frame.width - inner.width);
    sized.height = client.height + (frame.height - inner.height);
    sized.left = std::floor((screen.widthTwips() - sized.width) / 2);
    sized.top = std::floor((screen.heightTwips() - sized.height) / 2);
    if (sized != frame)
        toolkit_.setFormRect(form_.id(), sized);
}

void SETUP::ShowValues(const Settings& values, float group)
{
    if (Includes(group, 0)) {
        HTASK.setValue(values.General_HideInTaskManager ? 1 : 0);
        NOTASKM.setValue(values.General_DisableTaskManager ? 1 : 0);
        RefInterval.setCaption(NumberText(values.General_RefreshInterval, kIntervalMin, kIntervalMax));
    }
    if (Includes(group, 3)) {
        const float position = values.Align_Position;
        const bool listed = position >= 0 && position < kAlignmentCount && std::floor(position) == position;
        ALLIST.setSelectedItems(listed ? std::vector<int> {static_cast<int>(position)} : std::vector<int> {});
        ShowPreview();
    }
    if (Includes(group, 2)) {
        AUTOMEMAX.setCaption(NumberText(values.Mem_FreeUp, kFreeUpMin, kFreeUpMax));
        MemoryBoxChanged(AUTOMEMAX, VScroll2, kFreeUpMin, kFreeUpMax);
        AUTOMEMCHECK.setValue(values.Mem_FreeUpAuto ? 1 : 0);
        AUTOMEMIN.setCaption(NumberText(values.Mem_FreeUpIfBelow, kThresholdMin, kThresholdMax));
        MemoryBoxChanged(AUTOMEMIN, VScroll3, kThresholdMin, kThresholdMax);
    }
    if (Includes(group, 4)) {
        MUSE.setValue(values.IR_EnableIRSupport ? 1 : 0);
        LRNM.setValue(values.IR_LearningMode ? 1 : 0);
        HOTKEY.setValue(ReadHotKeySetting(registry_) ? 1 : 0);
    }
}

void SETUP::ShowPreview()
{
    const int selected = ALLIST.listIndex();
    for (int i = 0; i < kAlignmentCount; ++i)
        PREV[static_cast<std::size_t>(i)].setVisible(i == selected);
}

void SETUP::IntervalChanged()
{
    // A program write raises no change, so this cannot call itself.
    if (auto clipped = ClippedNumberText(RefInterval.text(), kIntervalMin, kIntervalMax))
        RefInterval.setCaption(*clipped);
}

void SETUP::IntervalSpun()
{
    const int arrow = RefScroll.value();
    if (arrow == 1)
        return;
    RefScroll.setValue(1);
    RefInterval.setCaption(SpunIntervalText(RefInterval.text(), arrow == 0));
}

void SETUP::MemoryBoxChanged(ui::Control& box, ui::Control& bar, int min, int max)
{
    if (auto clipped = ClippedNumberText(box.text(), min, max))
        box.setCaption(*clipped);
    if (const std::optional<long> value = LeadingNumber(box.text()))
        bar.setValue(static_cast<int>(*value));
}

void SETUP::Save()
{
    // The bar applies what was saved, which may run other handlers.
    ui::WindowLifetime::Scope scope(lifetime_);
    const float group = SaveGroupOf(ShownPage);
    Settings& record = store_.settings();
    // An empty box leaves its setting as it was.
    if (Includes(group, 0)) {
        record.General_HideInTaskManager = HTASK.value() != 0;
        record.General_DisableTaskManager = NOTASKM.value() != 0;
        record.General_RefreshInterval =
            ShownNumber(RefInterval, kIntervalMin, kIntervalMax).value_or(record.General_RefreshInterval);
    }
    if (Includes(group, 2)) {
        record.Mem_FreeUp = ShownNumber(AUTOMEMAX, kFreeUpMin, kFreeUpMax).value_or(record.Mem_FreeUp);
        record.Mem_FreeUpAuto = AUTOMEMCHECK.value() != 0;
        record.Mem_FreeUpIfBelow =
            ShownNumber(AUTOMEMIN, kThresholdMin, kThresholdMax).value_or(record.Mem_FreeUpIfBelow);
    }
    // With nothing chosen the bar stays where it is; a stored alignment shown again is not applied
    // again, or a save would take back the user's own placing of the bar.
    bool applyAlignment = false;
    if (Includes(group, 3)) {
        if (ALLIST.listIndex() >= 0)
            record.Align_Position = static_cast<float>(ALLIST.listIndex());
        applyAlignment = alignmentChosen_ && ALLIST.listIndex() >= 0;
        alignmentChosen_ = false;
    }
    if (Includes(group, 4)) {
        record.IR_EnableIRSupport = MUSE.value() != 0;
        record.IR_LearningMode = LRNM.value() != 0;
        WriteHotKeySetting(registry_, HOTKEY.value() != 0);
    }
    store_.StoreSettings(group);
    // The boxes show what now holds, an emptied one included.
    ShowValues(record, group);
    if (hooks_.saved)
        hooks_.saved(group, applyAlignment);
}

void SETUP::DissappearTick()
{
    if (lifetime_.unloaded())
        return;
    ui::WindowLifetime::Scope scope(lifetime_);
    if (desktop_.foreground() != OwnWindow)
        Unload();
}

void SETUP::Unload()
{
    lifetime_.Unload(toolkit_, form_.id());
}

} // namespace settings
