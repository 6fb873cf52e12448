#include "settings/SETUP.h"

#include "settings/HotKeySetting.h"
#include "settings/SettingsIds.h"
#include "settings/SettingsTable.h"
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

// The check boxes, page by page, a row of kCheckBoxHeight each. Captions end before the boxes
// and arrows on their right, so nothing overlaps.
struct CheckBoxPlace {
    ui::ControlId id;
    SettingsPage page;
    float top, width;
    const char* caption;
    const char* toolTip;
};
constexpr CheckBoxPlace kCheckBoxes[] = {
    {ids::HTASK, SettingsPage::General, 240, 2160, "hide in Taskmanager", nullptr},
    {ids::NOTASKM, SettingsPage::General, 480, 2160, "disable Taskmanager", nullptr},
    {ids::MONTASKS, SettingsPage::General, 1035, 2895, "only this monitor's tasks", nullptr},
    {ids::TASKNB, SettingsPage::General, 1275, 2895, "keep a program's windows together", nullptr},
    {ids::MCLICK_0 + 0, SettingsPage::General, 1515, 2895, "middle click: close",
        "A middle click on a task button closes its window"},
    {ids::MCLICK_0 + 1, SettingsPage::General, 1755, 2895, "middle click: start a copy",
        "A middle click on a task button starts another copy of its program"},
    {ids::MCLICK_0 + 2, SettingsPage::General, 1995, 2895, "middle click: nothing",
        "A middle click on a task button does nothing"},
    {ids::TRAYON, SettingsPage::General, 2235, 2895, "show the notification area",
        "Other programs' icons on the bar, above its panel"},
    {ids::AUTOMEMCHECK, SettingsPage::Memory, 645, 1980, "Free up if below...", nullptr},
    {ids::MUSE, SettingsPage::Infrared, 240, 2895, "enable IR Support", nullptr},
    {ids::LRNM, SettingsPage::Infrared, 480, 2895, "learning mode", nullptr},
    {ids::HOTKEY, SettingsPage::Infrared, 810, 1380, "bar hot key", "Ctrl+Alt+Home brings the bar out"},
};
constexpr float kCheckBoxHeight = 240;
// The general page's interval row, between its check boxes.
constexpr float kIntervalRowTop = 645;

// A flag of the table with a control shows in a check box of the list, a number in one of the
// number boxes; ControlOf counts on it.
constexpr bool IsListedCheckBox(int id)
{
    for (const CheckBoxPlace& place : kCheckBoxes)
        if (place.id == id)
            return true;
    return false;
}
constexpr bool IsNumberBox(int id)
{
    return id == ids::RefInterval || id == ids::AUTOMEMAX || id == ids::AUTOMEMIN;
}
constexpr bool ChoiceIsListed(const SettingRow& row)
{
    for (int k = 0; k < ChoiceCount(row); ++k)
        if (!IsListedCheckBox(row.control + k))
            return false;
    return true;
}
constexpr bool EveryRowsControlIsOnTheWindow()
{
    for (const SettingRow& row : kSettingsTable) {
        if (row.control == kNoControl)
            continue;
        const bool listed = row.choice ? ChoiceIsListed(row)
            : row.flag                 ? IsListedCheckBox(row.control)
                                       : IsNumberBox(row.control);
        if (!listed)
            return false;
    }
    return true;
}
static_assert(EveryRowsControlIsOnTheWindow(), "a setting's control is missing from the settings window");
static_assert(IsListedCheckBox(ids::HOTKEY), "the hot key's check box is one of the list");
// And the other way round: a check box that no flag of the table shows would save nothing.
constexpr bool EveryCheckBoxShowsAFlag()
{
    for (const CheckBoxPlace& place : kCheckBoxes) {
        bool shows = place.id == ids::HOTKEY; // a value of its own
        for (const SettingRow& row : kSettingsTable) {
            shows = shows || (row.flag && row.control == place.id);
            shows = shows || (row.choice && place.id >= row.control && place.id < row.control + ChoiceCount(row));
        }
        if (!shows)
            return false;
    }
    return true;
}
static_assert(EveryCheckBoxShowsAFlag(), "a check box of the settings window that no setting of the table shows");

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

ui::ControlId PanelOf(SettingsPage page)
{
    return ids::SetupPage_0 + PageIndex(page);
}

ui::ControlSpec PageSpec(int slot)
{
    ui::ControlSpec props = Make(ui::ControlKind::Panel, 0, {0, PageTop(slot), kPageWidth, kPageHeight});
    props.visible = false;
    return props;
}

ui::ControlSpec TitleSpec(SettingsPage page, const char* caption)
{
    ui::ControlSpec props = Make(ui::ControlKind::Label, PanelOf(page), {0, 0, kPageWidth, 225}, caption);
    props.align = ui::TextAlign::Centre;
    props.back = ui::kSysActiveCaption;
    props.fore = ui::kSysActiveCaptionText;
    return props;
}

// Wide enough for the longest number inside a sunken border.
ui::ControlSpec NumberBoxSpec(SettingsPage page, ui::Rect rect, int maxLength)
{
    ui::ControlSpec props = Make(ui::ControlKind::TextBox, PanelOf(page), rect);
    props.align = ui::TextAlign::Centre;
    props.maxLength = maxLength;
    props.border = true;
    props.back = ui::kSysWindow;
    props.fore = ui::kSysWindowText;
    return props;
}

// Upside down, so that the upper arrow counts up.
ui::ControlSpec StepperSpec(SettingsPage page, ui::Rect rect, int low, int high, int page_step)
{
    ui::ControlSpec props = Make(ui::ControlKind::ScrollBar, PanelOf(page), rect);
    props.min = high;
    props.max = low;
    props.value = low;
    props.largeChange = page_step;
    return props;
}

ui::ControlSpec SpinSpec()
{
    ui::ControlSpec props =
        Make(ui::ControlKind::ScrollBar, PanelOf(SettingsPage::General), {2760, kIntervalRowTop, 255, 360});
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

ui::ControlSpec AlignmentListSpec()
{
    ui::ControlSpec props = Make(ui::ControlKind::ListBox, PanelOf(SettingsPage::Alignment), {0, 240, 1935, 810});
    props.items.assign(std::begin(kAlignments), std::end(kAlignments));
    props.border = true;
    props.back = ui::kSysWindow;
    props.fore = ui::kSysWindowText;
    return props;
}

ui::ControlSpec PreviewSpec(int index)
{
    // 64 x 48 pixels at the usual 15 twips to the pixel.
    ui::ControlSpec props = Make(ui::ControlKind::Picture, PanelOf(SettingsPage::Alignment), {2040, 270, 960, 720});
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

std::deque<ui::Control> MakeCheckBoxes(ui::Form& form)
{
    std::deque<ui::Control> boxes;
    for (const CheckBoxPlace& place : kCheckBoxes) {
        ui::ControlSpec props = Make(ui::ControlKind::CheckBox, PanelOf(place.page),
            {120, place.top, place.width, kCheckBoxHeight}, place.caption);
        if (place.toolTip)
            props.toolTip = place.toolTip;
        boxes.emplace_back(form, place.id, props);
    }
    return boxes;
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
    , CheckBoxes(MakeCheckBoxes(form_))
    , Label2(form_, ids::Label2, TitleSpec(SettingsPage::General, "General..."))
    , A00(form_, ids::A00,
          Make(ui::ControlKind::Label, PanelOf(SettingsPage::General), {120, kIntervalRowTop + 105, 2040, 255},
              "refresh interval (seconds)"))
    , RefInterval(
          form_, ids::RefInterval, NumberBoxSpec(SettingsPage::General, {2280, kIntervalRowTop + 45, 450, 285}, 2))
    , RefScroll(form_, ids::RefScroll, SpinSpec())
    , Label5(form_, ids::Label5, TitleSpec(SettingsPage::Alignment, "Alignment"))
    , ALLIST(form_, ids::ALLIST, AlignmentListSpec())
    , PREV(MakePreviews(form_))
    , Label3(form_, ids::Label3, TitleSpec(SettingsPage::Memory, "Memory..."))
    , A20(form_, ids::A20,
          Make(ui::ControlKind::Label, PanelOf(SettingsPage::Memory), {120, 330, 1980, 255}, "memory to free up (MB)"))
    , AUTOMEMAX(form_, ids::AUTOMEMAX, NumberBoxSpec(SettingsPage::Memory, {2160, 300, 555, 285}, 4))
    , VScroll2(
          form_, ids::VScroll2, StepperSpec(SettingsPage::Memory, {2760, 240, 255, 360}, kFreeUpMin, kFreeUpMax, 64))
    , AUTOMEMIN(form_, ids::AUTOMEMIN, NumberBoxSpec(SettingsPage::Memory, {2160, 630, 555, 285}, 4))
    , VScroll3(form_, ids::VScroll3,
          StepperSpec(SettingsPage::Memory, {2760, 600, 255, 360}, kThresholdMin, kThresholdMax, 8))
    , Label6(form_, ids::Label6, TitleSpec(SettingsPage::Infrared, "Infrared remote control"))
    , BBrowseIR(form_, ids::BBrowseIR,
          ButtonLabelSpec(PanelOf(SettingsPage::Infrared), {1560, 810, 1455, 255}, "Browse events"))
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
        ShowValues(store_.settings(), SettingsGroup::All);
    });
    BX3.onClick([this] {
        alignmentChosen_ = false;
        ShowValues(Settings {}, SettingsGroup::All);
        ControlOf(ids::HOTKEY).setValue(1);
    });
    BMore.onClick([this] { PopupSettings(SettingsPage::All); });
    for (const SettingRow& row : kSettingsTable)
        if (row.choice)
            for (int k = 0; k < ChoiceCount(row); ++k)
                ControlOf(row.control + k).onChange([this, &row, k] { ChoiceChecked(row, k); });
    BBrowseIR.onClick([this] {
        ui::WindowLifetime::Scope scope(lifetime_);
        if (hooks_.browseEvents)
            hooks_.browseEvents();
    });
    ui::UnloadWhenClosed(form_, lifetime_, [this] { Unload(); });
    ShowValues(store_.settings(), SettingsGroup::All);
}

void SETUP::PopupSettings(SettingsPage page)
{
    if (lifetime_.unloaded())
        return;
    ui::WindowLifetime::Scope scope(lifetime_);
    ShownPage = page;
    const bool all = page == SettingsPage::All;
    for (int i = 0; i < kPageCount; ++i) {
        ui::Control& shown = SetupPage[static_cast<std::size_t>(i)];
        shown.setVisible(all || i == PageIndex(page));
        if (all || i == PageIndex(page))
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

void SETUP::ShowValues(const Settings& values, SettingsGroup group)
{
    for (const SettingRow& row : kSettingsTable) {
        if (row.control == kNoControl || !Covers(group, row.group))
            continue;
        ui::Control& control = ControlOf(row.control);
        if (row.choice)
            for (int k = 0; k < ChoiceCount(row); ++k)
                ControlOf(row.control + k).setValue(values.*(row.number) == static_cast<float>(row.range.min + k));
        else if (row.flag)
            control.setValue(values.*(row.flag) ? 1 : 0);
        else
            control.setCaption(NumberText(values.*(row.number), row.range.min, row.range.max));
    }
    if (Covers(group, SettingsGroup::Alignment)) {
        const float position = values.Align_Position;
        const bool listed = position >= 0 && position < kAlignmentCount && std::floor(position) == position;
        ALLIST.setSelectedItems(listed ? std::vector<int> {static_cast<int>(position)} : std::vector<int> {});
        ShowPreview();
    }
    if (Covers(group, SettingsGroup::Memory)) {
        // The arrows stand at the numbers shown.
        MemoryBoxChanged(AUTOMEMAX, VScroll2, kFreeUpMin, kFreeUpMax);
        MemoryBoxChanged(AUTOMEMIN, VScroll3, kThresholdMin, kThresholdMax);
    }
    if (Covers(group, SettingsGroup::Infrared))
        ControlOf(ids::HOTKEY).setValue(ReadHotKeySetting(registry_) ? 1 : 0);
}

void SETUP::ChoiceChecked(const SettingRow& row, int checked)
{
    // One box of a choice is checked at a time: checking one clears the others, and the checked
    // one cannot be cleared but by checking another.
    ui::Control& box = ControlOf(row.control + checked);
    if (box.value() == 0) {
        box.setValue(1);
        return;
    }
    for (int k = 0; k < ChoiceCount(row); ++k)
        if (k != checked)
            ControlOf(row.control + k).setValue(0);
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
    const SettingsGroup group = SavedGroupOf(ShownPage);
    Settings& record = store_.settings();
    for (const SettingRow& row : kSettingsTable) {
        if (row.control == kNoControl || !Covers(group, row.group))
            continue;
        const ui::Control& control = ControlOf(row.control);
        // An empty box, or a choice with no box checked, leaves its setting as it was.
        if (row.choice) {
            for (int k = 0; k < ChoiceCount(row); ++k)
                if (ControlOf(row.control + k).value() != 0)
                    record.*(row.number) = static_cast<float>(row.range.min + k);
        } else if (row.flag)
            record.*(row.flag) = control.value() != 0;
        else
            record.*(row.number) = ShownNumber(control, row.range.min, row.range.max).value_or(record.*(row.number));
    }
    // With nothing chosen the bar stays where it is; a stored alignment shown again is not applied
    // again, or a save would take back the user's own placing of the bar.
    bool applyAlignment = false;
    if (Covers(group, SettingsGroup::Alignment)) {
        if (ALLIST.listIndex() >= 0)
            record.Align_Position = static_cast<float>(ALLIST.listIndex());
        applyAlignment = alignmentChosen_ && ALLIST.listIndex() >= 0;
        alignmentChosen_ = false;
    }
    if (Covers(group, SettingsGroup::Infrared))
        WriteHotKeySetting(registry_, ControlOf(ids::HOTKEY).value() != 0);
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

ui::Control& SETUP::ControlOf(ui::ControlId id)
{
    for (ui::Control* box : {&RefInterval, &AUTOMEMAX, &AUTOMEMIN})
        if (box->id() == id)
            return *box;
    // Any other id asked for is one of the list's check boxes (see the checks by the list).
    return *std::find_if(CheckBoxes.begin(), CheckBoxes.end(), [id](const ui::Control& box) { return box.id() == id; });
}

void SETUP::Unload()
{
    lifetime_.Unload(toolkit_, form_.id());
}

} // namespace settings
