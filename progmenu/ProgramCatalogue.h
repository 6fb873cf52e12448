#pragma once
// The known-task catalogue behind the program menu: loaded once, off the start-up's path, by the
// first refresh tick or the first menu opened, and again by "redetect"; its items start their
// entry's command.
#include "platform/Platform.h"
#include "platform/Widgets.h"
#include "progmenu/MODULKnownTasks.h"
#include "progmenu/ProgramMenu.h"

#include <cstddef>
#include <functional>
#include <string>

namespace progmenu {

class ProgramCatalogue {
public:
    // mx is the program menu's entry made by ProgramMenuTree(); it must outlive this. fileName
    // names the known-task file, asked at each load. run starts a command line.
    ProgramCatalogue(platform::Platform& platform, ui::Form& form, ui::MenuItem& mx,
        std::function<std::string()> fileName, std::function<void(const std::string& commandLine)> run);
    ProgramCatalogue(const ProgramCatalogue&) = delete;
    ProgramCatalogue& operator=(const ProgramCatalogue&) = delete;

    // Loads the catalogue unless that was done already.
    void LoadCatalogueOnce();
    // Reloads the catalogue and rebuilds the menu from it.
    void Redetect();
    // The program menu at the mouse, the catalogue loaded first when it is not yet.
    void PopupProgramMenu();

    bool catalogueLoaded() const { return catalogueLoaded_; }
    const KnownTasks& catalogue() const { return catalogue_; }
    ProgramMenu& menu() { return programMenu_; }

private:
    // The program menu's item of this category and index.
    void RunProgramEntry(int category, std::size_t index);

    ui::Form& form_;
    std::function<std::string()> fileName_;
    std::function<void(const std::string&)> run_;
    KnownTasks catalogue_;
    ProgramMenu programMenu_;
    bool catalogueLoaded_ = false;
};

} // namespace progmenu
