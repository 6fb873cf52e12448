#include "bar/MemoryIndicator.h"

#include "bar/BarControls.h"
#include "bar/BarIds.h"

#include <cmath>

namespace bar {

namespace {
constexpr std::size_t kTextCapacity = 128;
constexpr int kFreeUpNow = 2;
constexpr int kAutomatic = 1;
} // namespace

MemoryIndicator::MemoryIndicator(ui::Form& form, platform::Memory& memory, BarCommands& commands)
    : form_(form)
    , freeMem_(memory, [this] { BetweenFreeUpBlocks(); })
    , MEMMODE {}
    , TIM1(form, bar_ids::TIM1, bar::ControlSpecOf(bar_ids::TIM1))
{
    for (int i = 0; i < 7; ++i)
        MEMMODE[i] =
            std::make_unique<ui::Control>(form, bar_ids::MEMMODE_0 + i, bar::ControlSpecOf(bar_ids::MEMMODE_0 + i));
    for (std::string* s : {&text_, &toolTip_, &discardedText_, &discardedTip_})
        s->reserve(kTextCapacity);

    MMEMS.id = bar_ids::menu::MMEMS;
    MMEMS.caption = "M";
    ui::MenuItem freeUp;
    freeUp.id = bar_ids::menu::MMEM_0;
    freeUp.caption = "free up memory";
    freeUp.action = [this] { FreeUpNow(); };
    ui::MenuItem settings;
    settings.id = bar_ids::menu::MMEM_0 + 1;
    settings.caption = "settings";
    settings.action = [&commands] { commands.PopupSettings(2); };
    MMEMS.items = {freeUp, settings};

    std::vector<ui::Control*> targets {&TIM1};
    for (auto& picture : MEMMODE)
        targets.push_back(picture.get());
    for (ui::Control* c : targets) {
        c->onDoubleClick([this] { FreeUpNow(); });
        c->onMouseUp([this](ui::MouseButton button, int, float, float) {
            if (button == ui::MouseButton::Right)
                PopupMenu();
        });
    }
}

void MemoryIndicator::ApplySettings(const settings::Settings& settings)
{
    // Stored numbers are whole values from 0 to 65535; halves go to the even neighbour.
    freeMem_.setFreeUpAmount(static_cast<std::int32_t>(std::nearbyint(settings.Mem_FreeUp)));
    freeMem_.setFreeUpThreshold(static_cast<std::int32_t>(std::nearbyint(settings.Mem_FreeUpIfBelow)));
    freeMem_.setFreeUpAuto(settings.Mem_FreeUpAuto);
}

void MemoryIndicator::PopupMenu()
{
    ui::PopupMenu(form_, MMEMS, bar_ids::menu::MMEM_0);
}

void MemoryIndicator::Refresh()
{
    int level = MemoryLevel_;
    freeMem_.MemoryStatus(0, toolTip_, level, text_);
    TIM1.setCaption(text_);
    TIM1.setToolTip(toolTip_);
    if (level == MemoryLevel_ || level < 0 || level > 6)
        return;
    MEMMODE[MemoryLevel_]->setVisible(false);
    MEMMODE[level]->setVisible(true);
    MemoryLevel_ = level;
}

void MemoryIndicator::AutoFreeUp()
{
    int level = MemoryLevel_;
    freeMem_.MemoryStatus(kAutomatic, discardedTip_, level, discardedText_);
    ShowFiguresAfterFreeUp();
}

void MemoryIndicator::FreeUpNow()
{
    int level = MemoryLevel_;
    freeMem_.MemoryStatus(kFreeUpNow, discardedTip_, level, discardedText_);
    ShowFiguresAfterFreeUp();
}

void MemoryIndicator::BetweenFreeUpBlocks()
{
    // The refresh tick cannot show the progress when the free-up runs inside it (automatic, or
    // started from its pending messages): the indicator shows it itself.
    Refresh();
    progressShown_ = true;
    form_.toolkit().processPendingMessages();
}

void MemoryIndicator::ShowFiguresAfterFreeUp()
{
    // Not the last percentage until the next tick: the figures as soon as the free-up is over.
    if (!progressShown_ || freeMem_.running())
        return;
    progressShown_ = false;
    Refresh();
}

} // namespace bar
