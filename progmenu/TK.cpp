#include "progmenu/TK.h"

#include "progmenu/ShortcutFile.h"
#include "progmenu/ShortcutIds.h"

#include <optional>

namespace progmenu {

namespace ids = shortcut_ids;

namespace {

constexpr float kClientWidth = 4830;
constexpr float kClientHeight = 3135;
constexpr float kListHeight = 2760;
constexpr float kButtonWidth = 1215;
constexpr float kButtonHeight = 375;
// A list line shows this much of an entry; the entry itself is kept whole.
constexpr std::size_t kShownChars = 1024;
constexpr const char* kCaption = "Shortcut Icons";
constexpr const char* kNewNamePrompt = "Enter new name";
// An input box without a title of its own carries the program's name.
constexpr const char* kProgramTitle = "Tolvane";

ui::FormSpec FormSpecOf(const ui::ScreenMetrics& screen, platform::WindowHandle owner)
{
    ui::FormSpec props = ui::CentredFormSpec(screen, {kClientWidth, kClientHeight}, owner);
    props.caption = kCaption;
    props.toolWindow = true;
    props.sizable = false;
    props.dialogKeys = true;
    props.defaultButton = ids::MQIT;
    props.cancelButton = ids::MQIT;
    return props;
}

ui::ControlSpec ListSpec(float left, float width, std::vector<std::string> items, std::vector<int> selected)
{
    ui::ControlSpec props;
    props.kind = ui::ControlKind::ListBox;
    props.rect = {left, 0, width, kListHeight};
    props.items = std::move(items);
    props.selected = std::move(selected);
    // Sunken, so that the two lists side by side read as two.
    props.border = true;
    props.back = ui::kSysWindow;
    props.fore = ui::kSysWindowText;
    return props;
}

ui::ControlSpec ButtonSpec(float left, const char* caption)
{
    ui::ControlSpec props;
    props.kind = ui::ControlKind::Button;
    props.rect = {left, kListHeight, kButtonWidth, kButtonHeight};
    props.caption = caption;
    return props;
}

std::vector<std::string> CategoryEntries(const std::vector<std::string>& categories)
{
    std::vector<std::string> entries {std::string()};
    entries.insert(entries.end(), categories.begin(), categories.end());
    return entries;
}

} // namespace

TK::TK(platform::Platform& platform, platform::WindowHandle ownerWindow, ShortcutList& list,
    const std::vector<std::string>& categories, std::function<void()> listChanged, std::function<void()> onReleasable)
    : toolkit_(platform.toolkit())
    , files_(platform.files())
    , list_(list)
    , listChanged_(std::move(listChanged))
    , lifetime_(std::move(onReleasable))
    , form_(toolkit_, FormSpecOf(toolkit_.screen(), ownerWindow))
    , BW(form_, ids::BW, ListSpec(0, 1215, CategoryEntries(categories), {0}))
    , TSK(form_, ids::TSK, ListSpec(1200, 3615, {}, {}))
    , MADD(form_, ids::MADD, ButtonSpec(0, "Add"))
    , MEDIT(form_, ids::MEDIT, ButtonSpec(1200, "Edit"))
    , MDEL(form_, ids::MDEL, ButtonSpec(2400, "Remove"))
    , MQIT(form_, ids::MQIT, ButtonSpec(3600, "Close"))
    , M0(ui::MenuEntry(ids::menu::M0, "M0"))
{
    M0.items.push_back(ui::MenuEntry(ids::menu::M1, "Rename", [this] { RenameCategory(); }));
    ShowShortcuts(-1);
    // Changes made while the window was closed may still wait for a save that works.
    if (list_.lines().unsaved())
        ShowSaveNote();

    BW.onMouseUp([this](ui::MouseButton button, int, float, float) { CategoryReleased(button); });
    BW.onDoubleClick([this] { RenameCategory(); });
    MADD.onClick([this] { AddShortcut(); });
    MEDIT.onClick([this] { EditShortcut(); });
    MDEL.onClick([this] { RemoveShortcut(); });
    MQIT.onClick([this] {
        ui::WindowLifetime::Scope scope(lifetime_);
        Unload();
    });
    ui::UnloadWhenClosed(form_, lifetime_, [this] { Unload(); });
}

void TK::BringToFront()
{
    if (!unloaded())
        toolkit_.bringToFront(form_.id());
}

void TK::ListReread()
{
    if (!unloaded())
        ShowShortcuts(-1);
}

void TK::CategoryReleased(ui::MouseButton button)
{
    if (button != ui::MouseButton::Right || unloaded())
        return;
    ui::WindowLifetime::Scope scope(lifetime_);
    // The list takes the click's selection first.
    toolkit_.processPendingMessages();
    if (unloaded() || BW.listIndex() == 0)
        return;
    ui::PopupMenu(form_, M0, 0);
}

void TK::RenameCategory()
{
    if (unloaded())
        return;
    ui::WindowLifetime::Scope scope(lifetime_);
    const int index = BW.listIndex();
    // The first, empty entry never changes.
    if (index < 1)
        return;
    const std::optional<std::string> name = toolkit_.inputBox(form_.id(), kNewNamePrompt, kProgramTitle, "");
    if (!name || unloaded())
        return;
    std::vector<std::string> entries = BW.items();
    if (static_cast<std::size_t>(index) >= entries.size())
        return;
    entries[static_cast<std::size_t>(index)] = ShownText(*name, kShownChars);
    BW.setItems(std::move(entries));
    BW.setSelectedItems({index});
}

void TK::AddShortcut()
{
    if (unloaded())
        return;
    ui::WindowLifetime::Scope scope(lifetime_);
    ui::OpenFileRequest request;
    request.title = "Select file...";
    request.defaultExtension = "exe";
    request.pattern = "*.exe";
    const std::optional<std::string> path = toolkit_.openFileDialog(form_.id(), request);
    // Only a program that can be read joins the list.
    if (!path || unloaded() || !IsShortcutPath(*path) || !FileExists(files_, *path))
        return;
    if (list_.Add(NewShortcut(*path)))
        Changed(static_cast<int>(list_.entries().size()) - 1);
}

void TK::EditShortcut()
{
    std::size_t index = 0;
    if (unloaded() || !SelectedShortcut(index))
        return;
    ui::WindowLifetime::Scope scope(lifetime_);
    const std::string before = list_.entries()[index];
    const std::optional<std::string> caption =
        toolkit_.inputBox(form_.id(), kNewNamePrompt, kProgramTitle, ShortcutCaption(SplitShortcut(before)));
    // The list must still hold the entry the user was asked about.
    if (!caption || unloaded() || index >= list_.entries().size() || list_.entries()[index] != before)
        return;
    if (list_.Rename(index, *caption))
        Changed(static_cast<int>(index));
}

void TK::RemoveShortcut()
{
    std::size_t index = 0;
    if (unloaded() || !SelectedShortcut(index))
        return;
    ui::WindowLifetime::Scope scope(lifetime_);
    if (!list_.Remove(index))
        return;
    const std::size_t left = list_.entries().size();
    Changed(left == 0 ? -1 : static_cast<int>(index < left ? index : left - 1));
}

bool TK::SelectedShortcut(std::size_t& index) const
{
    const int selected = TSK.listIndex();
    if (selected < 0 || static_cast<std::size_t>(selected) >= list_.entries().size())
        return false;
    index = static_cast<std::size_t>(selected);
    return true;
}

void TK::Changed(int selected)
{
    // A save may have read the file again with others' changes: the list can have another length.
    const int count = static_cast<int>(list_.entries().size());
    ShowShortcuts(selected < count ? selected : count - 1);
    ShowSaveNote();
    if (listChanged_)
        listChanged_();
}

void TK::ShowSaveNote()
{
    const std::string note = platform::SaveNote(list_.lines().lastSave());
    form_.setCaption(note.empty() ? std::string(kCaption) : std::string(kCaption) + " - " + note);
}

void TK::ShowShortcuts(int selected)
{
    std::vector<std::string> texts;
    texts.reserve(list_.entries().size());
    for (const std::string& entry : list_.entries())
        texts.push_back(ShortcutListText(entry, kShownChars));
    TSK.setItems(std::move(texts));
    TSK.setSelectedItems(selected < 0 ? std::vector<int> {} : std::vector<int> {selected});
}

void TK::Unload()
{
    lifetime_.Unload(toolkit_, form_.id());
}

} // namespace progmenu
