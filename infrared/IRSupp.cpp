#include "infrared/IRSupp.h"

#include "infrared/InfraredIds.h"

namespace infrared {

namespace ids = infrared_ids;
namespace m = infrared_ids::menu;

namespace {

constexpr float kClientWidth = 4815;
constexpr float kClientHeight = 3135;
constexpr const char* kCaption = "Setup";

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

ui::ControlSpec Make(ui::ControlKind kind, ui::Rect rect, std::string caption = {})
{
    ui::ControlSpec props;
    props.kind = kind;
    props.rect = rect;
    props.caption = std::move(caption);
    return props;
}

ui::ControlSpec ListSpec()
{
    ui::ControlSpec props = Make(ui::ControlKind::ListBox, {0, 0, kClientWidth, 2400});
    props.border = true;
    props.back = ui::kSysWindow;
    props.fore = ui::kSysWindowText;
    return props;
}

bool IsMove(std::string_view action)
{
    return action == "MoveUp" || action == "MoveDown" || action == "MoveLeft" || action == "MoveRight";
}

ui::MenuItem Submenu(ui::MenuId id, const char* caption, std::vector<ui::MenuItem> items)
{
    ui::MenuItem menu = ui::MenuEntry(id, caption);
    menu.items = std::move(items);
    return menu;
}

} // namespace

IRSupp::IRSupp(platform::Platform& platform, ui::Form& bar, std::string mapPath, std::string serverText,
    RemoteHooks hooks, std::function<void()> onUnloaded)
    : files_(platform.files())
    , desktop_(platform.desktop())
    , toolkit_(platform.toolkit())
    , bar_(bar)
    , hooks_(std::move(hooks))
    , mapPath_(std::move(mapPath))
    , serverText_(std::move(serverText))
    , lifetime_(std::move(onUnloaded))
    , form_(toolkit_, FormSpecOf(toolkit_.screen(), bar.window()))
    , MCONS(form_, ids::MCONS, ListSpec())
    , MDEL(form_, ids::MDEL, Make(ui::ControlKind::Button, {120, 2490, 1215, 375}, "Remove"))
    , MQIT(form_, ids::MQIT, Make(ui::ControlKind::Button, {3480, 2490, 1215, 375}, "Close"))
    , A1(form_, ids::A1, Make(ui::ControlKind::Label, {120, 2910, 4575, 225}))
    , M1(BuildDefinitionMenu())
    , map_(files_)
    , IRC(
          platform.network(), form_, ids::Retry, ids::Timeout, ids::Round,
          [this](const ButtonPress& press) { OnPress(press); }, [this] { ShowStatus(); })
{
    listMenu_ = Submenu(m::ListMenu, "M", {ui::MenuEntry(m::ListRemove, "Remove", [this] { RemoveSelected(); })});
    if (const auto server = ParseServerAddress(serverText_))
        IRC.setServer(*server);
    map_.Load(mapPath_);
    ShowMap(-1);
    ShowStatus();
    MDEL.onClick([this] {
        ui::WindowLifetime::Scope scope(lifetime_);
        RemoveSelected();
    });
    MQIT.onClick([this] {
        ui::WindowLifetime::Scope scope(lifetime_);
        Close();
    });
    MCONS.onMouseUp([this](ui::MouseButton button, int, float x, float y) {
        if (button != ui::MouseButton::Right)
            return;
        // A list box selects only on a left click: the menu is for the row under the mouse, and
        // for nothing on empty space.
        const int row = toolkit_.listItemAt(form_.id(), ids::MCONS, x, y);
        if (row < 0)
            return;
        ui::WindowLifetime::Scope scope(lifetime_);
        MCONS.setSelectedItems({row});
        ui::PopupMenu(form_, listMenu_, m::ListRemove);
    });
    form_.onCloseRequest = [this](ui::CloseReason reason) {
        if (reason == ui::CloseReason::Session || !enabled_)
            return true;
        Hide();
        return false;
    };
    ui::UnloadWhenClosed(form_, lifetime_, [this] { Unload(); });
}

ui::MenuItem IRSupp::BuildDefinitionMenu()
{
    const auto action = [this](ui::MenuId id, const char* caption, const char* name) {
        return ui::MenuEntry(id, caption, [this, name] { Define(name); });
    };
    ui::MenuItem title = ui::MenuEntry(m::MA1, "Define IR Remote action");
    title.enabled = false;
    ui::MenuItem key = ui::MenuEntry(m::MA2, "()");
    key.enabled = false;
    ui::MenuItem winamp = ui::MenuEntry(m::M40, "(none)");
    winamp.enabled = false;
    return Submenu(m::M1, "M1",
        {title, key, ui::MenuSeparator(m::MA3),
            Submenu(m::M2, "Windows",
                {action(m::M20_0, "Previous", "PrevTask"), action(m::M20_0 + 1, "Next", "NextTask"),
                    action(m::M20_0 + 2, "Minimize", "MinTask"), action(m::M20_0 + 3, "Restore", "MaxTask"),
                    ui::MenuSeparator(m::M20A), action(m::M2Kill, "Kill", "KillTask")}),
            Submenu(m::M3, "Window",
                {action(m::M30_0, "Free-floating", "AlignNone"), action(m::M30_0 + 1, "Move up", "MoveUp"),
                    action(m::M30_0 + 2, "Move down", "MoveDown"), action(m::M30_0 + 3, "Move left", "MoveLeft"),
                    action(m::M30_0 + 4, "Move right", "MoveRight")}),
            Submenu(m::M4, "Winamp", {winamp}), Submenu(m::M5, "System", {action(m::M50, "Free up memory", "FreeMem")}),
            Submenu(m::M6, "Quit",
                {action(m::M60_0, "Quit", "Quit"), action(m::M60_0 + 1, "Log off", "Log off"),
                    action(m::M60_0 + 2, "Restart", "Restart"), action(m::M60_0 + 3, "Shut down", "Shut down")}),
            action(m::M7, "Run...", "Run"), ui::MenuSeparator(m::M1A),
            ui::MenuEntry(m::M8, "Settings", [this] { ShowWindow(); })});
}

void IRSupp::DoEnable(bool on)
{
    enabled_ = on;
    MCONS.setEnabled(on);
    MDEL.setEnabled(on);
    if (on)
        IRC.Start();
    else
        IRC.Stop();
    ShowStatus();
}

void IRSupp::ShowWindow()
{
    if (lifetime_.unloaded())
        return;
    shown_ = true;
    toolkit_.bringToFront(form_.id());
}

void IRSupp::Close()
{
    if (lifetime_.unloaded())
        return;
    if (enabled_)
        Hide();
    else
        Unload();
}

void IRSupp::Hide()
{
    shown_ = false;
    toolkit_.showForm(form_.id(), false);
}

void IRSupp::OnPress(const ButtonPress& press)
{
    // One press at a time: a held button or a flood must not stack menus or actions.
    if (busy_ || lifetime_.unloaded() || press.key.empty() || (hooks_.sleeping && hooks_.sleeping()))
        return;
    ui::WindowLifetime::Scope scope(lifetime_);
    struct Busy {
        bool& flag;
        ~Busy() { flag = false; }
    } busy {busy_};
    busy_ = true;
    const bool learning = hooks_.learning && hooks_.learning();
    if (learning || shown_) {
        if (press.repeat > 0)
            return;
        // Kept first, so that the choice made in the menu applies to this button.
        LastKey = press.key;
        ui::FindMenuItem(M1, m::MA2)->caption = "(" + press.key + ")";
        // The bar must come to the front for its menu to take the keys and close on a click
        // elsewhere; a press is no input of the user to the bar.
        desktop_.takeForegroundRight();
        ui::PopupMenu(bar_, M1, m::M8);
        return;
    }
    const std::string* entry = map_.FirstEntryWith(press.key);
    if (!entry)
        return;
    const std::string action(EntryAction(*entry));
    if (press.repeat > 0 && !IsMove(action))
        return;
    if (hooks_.perform)
        hooks_.perform(action);
}

void IRSupp::Define(const char* action)
{
    if (LastKey.empty() || lifetime_.unloaded())
        return;
    const int index = map_.SetAction(LastKey, action);
    ShowMap(index);
    ShowSaveNote();
}

void IRSupp::RemoveSelected()
{
    const int selected = MCONS.listIndex();
    if (selected < 0 || lifetime_.unloaded())
        return;
    map_.Remove(static_cast<std::size_t>(selected));
    ShowMap(-1);
    ShowSaveNote();
}

void IRSupp::ShowMap(int selected)
{
    MCONS.setItems(map_.entries());
    MCONS.setSelectedItems(selected >= 0 ? std::vector<int> {selected} : std::vector<int> {});
}

void IRSupp::ShowStatus()
{
    A1.setCaption("Server " + serverText_ + ": " +
        (!enabled_                ? "off"
                : IRC.connected() ? "connected"
                                  : "not connected, retrying"));
}

void IRSupp::ShowSaveNote()
{
    const std::string note = platform::SaveNote(map_.lines().lastSave());
    form_.setCaption(note.empty() ? std::string(kCaption) : std::string(kCaption) + " - " + note);
}

void IRSupp::Unload()
{
    if (lifetime_.Unload(toolkit_, form_.id()))
        IRC.Stop();
}

} // namespace infrared
