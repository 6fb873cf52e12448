#include "progmenu/ProgramCatalogue.h"

namespace progmenu {

ProgramCatalogue::ProgramCatalogue(platform::Platform& platform, ui::Form& form, ui::MenuItem& mx,
    std::function<std::string()> fileName, std::function<void(const std::string& commandLine)> run)
    : form_(form)
    , fileName_(std::move(fileName))
    , run_(std::move(run))
    , catalogue_(platform.files(), platform.registry(), platform.system())
    , programMenu_(
          mx, [this](int category, std::size_t index) { RunProgramEntry(category, index); }, [this] { Redetect(); })
{
}

void ProgramCatalogue::RunProgramEntry(int category, std::size_t index)
{
    if (const std::string* command = CommandOf(catalogue_.entries(), category, index))
        run_(*command);
}

void ProgramCatalogue::LoadCatalogueOnce()
{
    if (!catalogueLoaded_)
        Redetect();
}

void ProgramCatalogue::Redetect()
{
    catalogueLoaded_ = true;
    catalogue_.LoadKnownTasks(fileName_());
    programMenu_.BuildProgramMenu(catalogue_.entries());
}

void ProgramCatalogue::PopupProgramMenu()
{
    LoadCatalogueOnce();
    ui::MenuItem& programs = programMenu_.menu();
    ui::PopupMenu(form_, programs, 0);
    programs.visible = true;
}

} // namespace progmenu
