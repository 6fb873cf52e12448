#include "progmenu/Shortcuts.h"

#include "progmenu/ProgramMenuIds.h"
#include "progmenu/ShortcutFile.h"
#include "progmenu/ShortcutIds.h"

#include <vector>

namespace progmenu {

namespace m = progmenu_ids;

namespace {

// A menu line shows this much of a caption.
constexpr std::size_t kShownCaptionChars = 200;

// The captions the category list starts with: those of the first seven category submenus.
std::vector<std::string> CategoryCaptions(const ui::MenuItem& mx)
{
    std::vector<std::string> captions;
    for (int id : {m::SM1X, m::SM2X, m::SM3X, m::SM4X, m::SM5X, m::SM6X, m::SM7X})
        if (const ui::MenuItem* item = ui::FindMenuItem(mx, id))
            captions.push_back(item->caption);
    return captions;
}

} // namespace

Shortcuts::Shortcuts(platform::Platform& platform, ui::Form& owner, ProgramMenu& menu,
    std::function<void(const std::string& commandLine)> run)
    : files_(platform.files())
    , menu_(menu)
    , run_(std::move(run))
    , list_(platform.files())
    , slot_(owner, shortcut_ids::ReleaseShortcuts, [this, &platform, ownerWindow = owner.window()](auto onReleasable) {
        return std::make_unique<TK>(
            platform, ownerWindow, list_, CategoryCaptions(menu_.menu()), [this] { SetIcons(); },
            std::move(onReleasable));
    })
{
    if (ui::MenuItem* entry = ui::FindMenuItem(menu.menu(), m::MTK))
        entry->action = [this] { Show(); };
}

void Shortcuts::Load(const std::string& executablePath)
{
    list_.Load(ShortcutFilePath(executablePath));
    SetIcons();
}

void Shortcuts::SetIcons()
{
    const std::vector<std::string>& entries = list_.entries();
    const std::size_t limit = static_cast<std::size_t>(m::kShownShortcuts);
    const std::size_t shown = entries.size() < limit ? entries.size() : limit;
    std::vector<ShortcutItem> items(shown);
    for (std::size_t i = 0; i < shown; ++i) {
        ShortcutItem& item = items[i];
        if (entries.size() > limit && i == limit - 1) {
            item.caption = "(" + std::to_string(entries.size() - i) + " more not shown)";
            item.enabled = false;
            continue;
        }
        const ShortcutFields fields = SplitShortcut(entries[i]);
        item.caption = ShownText(ShortcutCaption(fields), kShownCaptionChars);
        item.enabled = FileExists(files_, fields.path);
        // The menu is rebuilt after every change, so the index stays the entry's.
        if (item.enabled)
            item.action = [this, i] { Start(i); };
    }
    menu_.SetIcons(std::move(items));
}

void Shortcuts::Start(std::size_t index)
{
    if (index < list_.entries().size())
        run_(ShortcutCommand(SplitShortcut(list_.entries()[index]).path));
}

void Shortcuts::Show()
{
    // The file may have been edited since it was read: the window shows what it now holds.
    const bool reread = list_.Refresh();
    if (reread)
        SetIcons();
    TK& window = slot_.Open();
    if (reread)
        window.ListReread();
    window.BringToFront();
}

} // namespace progmenu
