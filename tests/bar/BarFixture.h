#pragma once
// A bar started on the simulated platform, with helpers that read it the way a user sees it.
#include "bar/BarIds.h"
#include "tasks/TaskIds.h"
#include "bar/TOLVIX.h"
#include "platform/sim/SimPlatform.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

class BarTest : public ::testing::Test {
protected:
    sim::SimPlatform sim;
    sim::SimDesktop& desktop = sim.sim_desktop();
    sim::SimToolkit& toolkit = sim.sim_toolkit();
    sim::SimFiles& files = sim.sim_files();
    std::unique_ptr<bar::TOLVIX> bar;

    // A handler that threw is a fault unless the test made it throw and looked.
    void TearDown() override { EXPECT_EQ(toolkit.failures, std::vector<std::string> {}); }

    void start()
    {
        bar = std::make_unique<bar::TOLVIX>(sim);
        bar->Load();
    }
    // One tick of the refresh timer.
    void tick() { toolkit.advance(2000); }

    const ui::ControlSpec& control(ui::ControlId id)
    {
        const ui::ControlSpec* props = toolkit.control(id);
        if (!props)
            throw std::runtime_error("no control " + std::to_string(id));
        return *props;
    }
    const ui::ControlSpec& button(int i) { return control(task_ids::VTASKS_BASE + i); }
    bool buttonLoaded(int i) { return toolkit.control(task_ids::VTASKS_BASE + i) != nullptr; }

    // Captions of the visible task buttons, in button order.
    std::vector<std::string> captions()
    {
        std::vector<std::string> result;
        for (int i = 0; buttonLoaded(i); ++i) {
            if (button(i).visible)
                result.push_back(button(i).caption);
        }
        return result;
    }
    // Captions of every task button, shown or scrolled out of view, in button order.
    std::vector<std::string> allCaptions()
    {
        std::vector<std::string> result;
        for (int i = 0; buttonLoaded(i) && (i > 0 || button(0).visible || buttonLoaded(1)); ++i)
            result.push_back(button(i).caption);
        return result;
    }
    ui::Rect barFrame() { return toolkit.formRect(bar->formId()); }
};
