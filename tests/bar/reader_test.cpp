// What a screen reader is told the bar's controls are: the roles follow from what a left click
// on each one does, the names from what each one shows.
#include "platform/Accessibility.h"
#include "tests/bar/BarFixture.h"

namespace {

using ui::AccessibleRole;
namespace ids = bar_ids;

TEST_F(BarTest, AReaderFindsButtonsWhereAClickActsAndTextWhereTheIndicatorsShowIt)
{
    desktop.open("Editor");
    start();
    tick();
    ui::FormEvents& events = *toolkit.form(bar->formId())->events;
    const auto role = [&](ui::ControlId id) { return ui::AccessibleRoleOf(control(id).kind, events.clickable(id)); };

    for (ui::ControlId id : {task_ids::VTASKS_BASE, ids::RBUT, ids::SSETTS, ids::STX, ids::ONLED_0, ids::ONLED_0 + 1})
        EXPECT_EQ(role(id), AccessibleRole::PushButton) << id;
    // A double click or a right click acts on these, a left click does not.
    for (ui::ControlId id : {ids::TIM1, ids::TIM2, ids::TIM3})
        EXPECT_EQ(role(id), AccessibleRole::StaticText) << id;
    for (ui::ControlId id : {ids::MEMMODE_0 + 4, ids::TSKMODE_0, ids::MMX})
        EXPECT_EQ(role(id), AccessibleRole::Graphic) << id;
    EXPECT_EQ(role(ids::Picture2), AccessibleRole::Pane);

    const ui::AccessibleText task = ui::AccessibleTextOf(button(0));
    EXPECT_EQ(task.name, "Editor");
    EXPECT_EQ(task.description, "Editor");
    const ui::AccessibleText counter = ui::AccessibleTextOf(control(ids::TIM3));
    EXPECT_EQ(counter.name, control(ids::TIM3).caption);
    EXPECT_EQ(counter.description, control(ids::TIM3).toolTip);
    EXPECT_EQ(ui::AccessibleTextOf(control(ids::TIM1)).name, control(ids::TIM1).caption + " MB free");
    // A picture shows no text: its tooltip names it.
    EXPECT_EQ(ui::AccessibleTextOf(control(ids::MEMMODE_0 + 4)).name, "free physical memory");
    EXPECT_EQ(ui::AccessibleTextOf(control(ids::MEMMODE_0 + 4)).description, "");
}

} // namespace
