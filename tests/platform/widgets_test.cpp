#include "platform/Widgets.h"
#include "platform/sim/SimPlatform.h"

#include <gtest/gtest.h>

TEST(Widgets, AControlWritesOnlyWhatChanged)
{
    sim::SimPlatform sim;
    ui::Form form(sim.toolkit(), ui::FormSpec {});
    ui::ControlSpec props;
    props.caption = "a";
    ui::Control label(form, 7, props);
    auto& writes = sim.sim_toolkit().propertyWrites;

    label.setCaption("a");
    label.setVisible(true);
    label.setRect(props.rect);
    label.setColours(props.back, props.fore);
    EXPECT_EQ(writes, 0);

    label.setCaption("b");
    label.setLeft(10);
    label.setLeft(10);
    EXPECT_EQ(writes, 2);
    EXPECT_EQ(sim.sim_toolkit().control(7)->caption, "b");
    EXPECT_EQ(sim.sim_toolkit().control(7)->rect.left, 10);

    // The text colour alone is a change too.
    label.setColours(props.back, ui::kSysHighlightText);
    EXPECT_EQ(writes, 3);
    EXPECT_EQ(sim.sim_toolkit().control(7)->fore, ui::kSysHighlightText);
    EXPECT_EQ(sim.sim_toolkit().control(7)->back, props.back);
}

TEST(Widgets, ControlsAndFormsGoAwayWithTheirOwners)
{
    sim::SimPlatform sim;
    {
        ui::Form form(sim.toolkit(), ui::FormSpec {});
        {
            ui::Control label(form, 7, ui::ControlSpec {});
            EXPECT_NE(sim.sim_toolkit().control(7), nullptr);
        }
        EXPECT_EQ(sim.sim_toolkit().control(7), nullptr);
        EXPECT_EQ(sim.sim_desktop().zOrder().size(), 1u);
    }
    EXPECT_TRUE(sim.sim_desktop().zOrder().empty());
}

TEST(Widgets, ATimerFiresItsHandlerAtItsIntervalOnlyWhileEnabled)
{
    sim::SimPlatform sim;
    ui::Form form(sim.toolkit(), ui::FormSpec {});
    int ticks = 0;
    ui::Timer timer(form, 1, 500, true, [&] { ++ticks; });
    sim.sim_toolkit().advance(1999);
    EXPECT_EQ(ticks, 3);
    timer.setEnabled(false);
    sim.sim_toolkit().advance(5000);
    EXPECT_EQ(ticks, 3);
    // A new interval for a disabled timer does not start it.
    timer.setInterval(100);
    sim.sim_toolkit().advance(1000);
    EXPECT_EQ(ticks, 3);
    EXPECT_FALSE(timer.enabled());
    timer.setEnabled(true);
    sim.sim_toolkit().advance(100);
    EXPECT_EQ(ticks, 4);
}

TEST(Widgets, TimersFireInsidePendingMessagesButNeverInsideTheirOwnHandler)
{
    sim::SimPlatform sim;
    auto& toolkit = sim.sim_toolkit();
    ui::Form form(toolkit, ui::FormSpec {});
    int slow = 0, fast = 0, zero = 0;
    ui::Timer slowTimer(form, 1, 1000, true, [&] {
        if (++slow > 1)
            return;
        // The first tick lets messages run while the clock moves on to 3500 ms.
        toolkit.queueInput([&] { toolkit.advance(2500); });
        toolkit.processPendingMessages();
    });
    ui::Timer fastTimer(form, 2, 100, true, [&] { ++fast; });
    ui::Timer zeroTimer(form, 3, 0, true, [&] { ++zero; });
    toolkit.advance(1000);
    EXPECT_EQ(toolkit.nowMs(), 3500);
    EXPECT_EQ(slow, 1) << "its ticks at 2000 and 3000 ms came while it ran";
    EXPECT_EQ(fast, 35) << "every 100 ms, inside the slow one's handler too";
    toolkit.advance(500);
    EXPECT_EQ(slow, 2) << "once at 4000 ms: the dropped ticks do not pile up";
    EXPECT_EQ(fast, 40);
    EXPECT_EQ(zero, 0) << "an interval of 0 never fires";
}

TEST(Widgets, EventsReachTheHandlerRegisteredForTheirControlOrMenuEntry)
{
    sim::SimPlatform sim;
    auto& toolkit = sim.sim_toolkit();
    ui::Form form(toolkit, ui::FormSpec {});
    ui::Control label(form, 7, ui::ControlSpec {});
    std::vector<std::string> seen;
    label.onClick([&] { seen.push_back("click"); });
    label.onDoubleClick([&] { seen.push_back("double"); });
    form.onMouseUpRange(100, 199, [&](ui::ControlId id, ui::MouseButton) { seen.push_back(std::to_string(id)); });
    toolkit.mouseUp(form.id(), 7, ui::MouseButton::Left);
    toolkit.doubleClick(form.id(), 7);
    toolkit.mouseUp(form.id(), 150, ui::MouseButton::Right);
    toolkit.mouseUp(form.id(), 200, ui::MouseButton::Right); // nobody's
    EXPECT_EQ(seen, (std::vector<std::string> {"click", "double", "150"}));

    ui::MenuItem menu;
    menu.id = 1;
    ui::MenuItem entry;
    entry.id = 2;
    entry.action = [&] { seen.push_back("entry"); };
    menu.items = {entry};
    toolkit.menuChoices = {2, 0};
    ui::PopupMenu(form, menu, 2);
    ui::PopupMenu(form, menu, 2); // dismissed
    EXPECT_EQ(seen.back(), "entry");
    EXPECT_EQ(seen.size(), 4u);
}

TEST(Widgets, AListBoxShowsItsItemsAndANewListDropsTheSelection)
{
    sim::SimPlatform sim;
    auto& toolkit = sim.sim_toolkit();
    ui::Form form(toolkit, ui::FormSpec {});
    ui::ControlSpec props;
    props.kind = ui::ControlKind::ListBox;
    props.multiSelect = true;
    ui::Control list(form, 9, props);
    list.setItems({"a.exe", "b.exe", "a.exe"});
    toolkit.selectItems(form.id(), 9, {0, 2, 7});
    EXPECT_EQ(list.selectedItems(), (std::vector<int> {0, 2}));
    list.setItems({"c.exe"});
    EXPECT_TRUE(list.selectedItems().empty());
    EXPECT_EQ(toolkit.control(9)->items, (std::vector<std::string> {"c.exe"}));
}

TEST(Widgets, WhatTheUserTypedIsWhatAWriteIsComparedWith)
{
    sim::SimPlatform sim;
    auto& toolkit = sim.sim_toolkit();
    ui::Form form(toolkit, ui::FormSpec {});
    ui::ControlSpec props;
    props.kind = ui::ControlKind::TextBox;
    ui::Control box(form, 3, props);
    int changes = 0;
    box.onChange([&] { ++changes; });
    // A key filter of digits and backspace only.
    box.onKeyPress([](int& code) {
        if ((code < '0' || code > '9') && code != 8)
            code = 0;
    });
    auto& writes = toolkit.propertyWrites;

    box.setCaption("15");
    toolkit.typeText(form.id(), 3, "\bx6");
    EXPECT_EQ(box.text(), "16");
    EXPECT_EQ(changes, 2);
    box.setCaption("15"); // the box shows 16: the 15 must go out again
    EXPECT_EQ(writes, 2);
    EXPECT_EQ(toolkit.control(3)->caption, "15");

    toolkit.typeText(form.id(), 3, "\b5");
    EXPECT_EQ(changes, 4);
    box.setCaption("15"); // it shows 15 already
    EXPECT_EQ(writes, 2);
}

TEST(Widgets, EachInputClicksAndChangesOnceAndOnlyWhenTheValueMoves)
{
    sim::SimPlatform sim;
    auto& toolkit = sim.sim_toolkit();
    ui::Form form(toolkit, ui::FormSpec {});
    ui::ControlSpec check;
    check.kind = ui::ControlKind::CheckBox;
    ui::Control sure(form, 4, check);
    ui::ControlSpec list;
    list.kind = ui::ControlKind::ListBox;
    list.items = {"off", "foreground", "fixed right"};
    ui::Control choice(form, 5, list);
    ui::ControlSpec button;
    button.kind = ui::ControlKind::Button;
    ui::Control ok(form, 6, button);
    std::vector<std::string> seen;
    const auto note = [&seen](std::string what) { return [&seen, what] { seen.push_back(what); }; };
    sure.onClick(note("click sure"));
    sure.onChange(note("change sure"));
    choice.onClick(note("click list"));
    choice.onChange(note("change list"));
    ok.onClick(note("click ok"));

    toolkit.toggleCheck(form.id(), 4);
    toolkit.selectItems(form.id(), 5, {2, 0}); // one item only: the first given
    toolkit.selectItems(form.id(), 5, {2});    // the same again
    toolkit.mouseUp(form.id(), 6, ui::MouseButton::Left);
    toolkit.mouseUp(form.id(), 6, ui::MouseButton::Right);
    toolkit.mouseUp(form.id(), 4, ui::MouseButton::Left); // a check box clicks by its toggle only
    EXPECT_EQ(seen, (std::vector<std::string> {"click sure", "change sure", "click list", "change list", "click ok"}));
    EXPECT_EQ(sure.value(), 1);
    EXPECT_EQ(choice.listIndex(), 2);

    // What the program sets is no input of the user's.
    choice.setSelectedItems({1});
    sure.setValue(0);
    EXPECT_EQ(seen.size(), 5u);
    EXPECT_EQ(toolkit.control(5)->selected, (std::vector<int> {1}));
}

TEST(Widgets, AScrollBarMovesByItsStepsWithinItsRange)
{
    sim::SimPlatform sim;
    auto& toolkit = sim.sim_toolkit();
    ui::Form form(toolkit, ui::FormSpec {});
    ui::ControlSpec props;
    props.kind = ui::ControlKind::ScrollBar;
    props.max = 2;
    props.value = 1;
    ui::Control spin(form, 8, props);
    std::vector<int> values;
    spin.onChange([&] { values.push_back(spin.value()); });
    using R = ui::ScrollRequest;

    toolkit.scroll(form.id(), 8, R::LineUp);
    toolkit.scroll(form.id(), 8, R::LineUp);   // already at the top: no change
    toolkit.scroll(form.id(), 8, R::PageDown); // ten steps, clamped to 2
    toolkit.scroll(form.id(), 8, R::Thumb, 1);
    toolkit.scroll(form.id(), 8, R::Thumb, -5);
    EXPECT_EQ(values, (std::vector<int> {0, 2, 1, 0}));
    EXPECT_EQ(toolkit.control(8)->value, 0); // the bar shows where the value went

    spin.setRange(5, 10);
    EXPECT_EQ(spin.value(), 5);
    toolkit.scroll(form.id(), 8, R::Bottom);
    EXPECT_EQ(spin.value(), 10);
}

TEST(Widgets, AnAcceleratorReachesItsFormAndOnlyAKeyWithAHandlerIsTaken)
{
    sim::SimPlatform sim;
    auto& toolkit = sim.sim_toolkit();
    ui::Form first(toolkit, ui::FormSpec {});
    ui::Form second(toolkit, ui::FormSpec {});
    int help = 0;
    first.onAccelerator(ui::kKeyF1, [&] { ++help; });
    EXPECT_TRUE(toolkit.pressKey(first.id(), ui::kKeyF1));
    EXPECT_FALSE(toolkit.pressKey(second.id(), ui::kKeyF1));
    EXPECT_FALSE(toolkit.pressKey(first.id(), ui::kKeyF1 + 1));
    EXPECT_EQ(help, 1);
}
