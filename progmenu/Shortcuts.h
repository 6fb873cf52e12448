#pragma once
// The bar's shortcuts: the list read from "SHORTCUT.INI", its items in the program menu, and the
// shortcut window, made on first demand (from "shortcuts..." in the program menu).
#include "platform/Platform.h"
#include "platform/SecondaryWindow.h"
#include "progmenu/ProgramMenu.h"
#include "progmenu/ShortcutList.h"
#include "progmenu/TK.h"

#include <functional>
#include <string>

namespace progmenu {

class Shortcuts final {
public:
    // owner is the bar's form: it owns the window, and a timer of it frees closed windows. run
    // starts a command line.
    Shortcuts(platform::Platform& platform, ui::Form& owner, ProgramMenu& menu,
        std::function<void(const std::string& commandLine)> run);
    Shortcuts(const Shortcuts&) = delete;
    Shortcuts& operator=(const Shortcuts&) = delete;

    // Reads the list from the file beside the executable and puts it in the program menu.
    void Load(const std::string& executablePath);
    // Rebuilds the shortcut items of the program menu from the list: a shortcut whose program
    // cannot be read is shown greyed.
    void SetIcons();
    // Makes the window visible and the foreground window, loading it when it is not open.
    void Show();

    const ShortcutList& list() const { return list_; }
    // The open window, or null.
    const TK* window() const { return slot_.window(); }
    bool holdsClosedWindow() const { return slot_.holdsClosedWindow(); }

private:
    void Start(std::size_t index);

    platform::Files& files_;
    ProgramMenu& menu_;
    std::function<void(const std::string&)> run_;
    ShortcutList list_;
    ui::SecondaryWindow<TK> slot_;
};

} // namespace progmenu
