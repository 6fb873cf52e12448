#pragma once
// The free-memory indicator: TIM1 shows free physical megabytes (or a free-up's progress), one of
// the seven gauge pictures MEMMODE shows the level; double-clicks free memory up and a right
// click opens the memory menu MMEMS.
#include "bar/BarCommands.h"
#include "memory/MODULFreeMem.h"
#include "platform/Memory.h"
#include "platform/Widgets.h"
#include "settings/SetupMem.h"

#include <array>
#include <functional>
#include <memory>
#include <string>

namespace bar {

class MemoryIndicator {
public:
    // The memory menu's "settings" opens the memory page of the settings window.
    MemoryIndicator(ui::Form& form, platform::Memory& memory, BarCommands& commands);

    void ApplySettings(const settings::Settings& settings);
    // The refresh tick's two calls: the figures, then the automatic free-up's chance.
    void Refresh();
    void AutoFreeUp();
    // Starts a free-up, or stops the one running.
    void FreeUpNow();
    // The program is ending: a running free-up stops and releases its blocks.
    void Abandon() { freeMem_.Abandon(); }
    int MemoryLevel() const { return MemoryLevel_; }

private:
    void PopupMenu();
    // The free-up's pause after every 16th block: shows its progress, then lets messages run.
    void BetweenFreeUpBlocks();
    void ShowFiguresAfterFreeUp();

    ui::Form& form_;
    memory::FreeMem freeMem_;
    std::array<std::unique_ptr<ui::Control>, 7> MEMMODE; // pictures: the gauge levels 0 to 6
    ui::Control TIM1;                                    // label: free megabytes
    ui::MenuItem MMEMS;
    int MemoryLevel_ = 4;
    bool progressShown_ = false; // TIM1 shows a free-up's progress
    // Kept between ticks so that a steady refresh allocates nothing.
    std::string text_, toolTip_, discardedText_, discardedTip_;
};

} // namespace bar
