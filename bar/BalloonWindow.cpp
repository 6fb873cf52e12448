#include "bar/BalloonWindow.h"

namespace bar {

namespace {

constexpr float kWidth = 3600;
constexpr float kTitleHeight = 255;
constexpr float kTextHeight = 630;
constexpr float kMargin = 90;
constexpr ui::ControlId kTitle = 1;
constexpr ui::ControlId kText = 2;
constexpr ui::TimerId kTimeout = 1;

ui::ControlSpec Line(const std::string& caption, float top, float height, bool bold)
{
    ui::ControlSpec props;
    props.kind = ui::ControlKind::Label;
    props.rect = {kMargin, top, kWidth - 2 * kMargin, height};
    props.caption = caption;
    props.font = {"MS Sans Serif", 8.25f, bold};
    props.back = ui::kSysInfoBack;
    props.fore = ui::kSysInfoText;
    return props;
}

} // namespace

BalloonWindow::BalloonWindow(
    ui::Toolkit& toolkit, platform::WindowHandle owner, std::function<void(bool clicked)> closed)
    : toolkit_(toolkit)
    , owner_(owner)
    , closed_(std::move(closed))
{
}

BalloonWindow::~BalloonWindow() = default;

void BalloonWindow::make()
{
    ui::FormSpec design;
    design.titleBar = false;
    design.sizable = false;
    design.toolWindow = true;
    design.owner = owner_;
    design.back = ui::kSysInfoBack;
    design.rect = {0, 0, kWidth, kMargin + kTitleHeight + kTextHeight + kMargin};
    form_ = std::make_unique<ui::Form>(toolkit_, design);
    title_ = std::make_unique<ui::Control>(*form_, kTitle, Line("", kMargin, kTitleHeight, true));
    text_ = std::make_unique<ui::Control>(*form_, kText, Line("", kMargin + kTitleHeight, kTextHeight, false));
    for (const ui::ControlId id : {ui::ControlId {0}, kTitle, kText})
        form_->onClick(id, [this] { close(true); });
    timeout_ = std::make_unique<ui::Timer>(*form_, kTimeout, 10000, false, [this] { close(false); });
}

void BalloonWindow::Show(const std::string& title, const std::string& text, const ui::Rect& icon, int timeoutMs)
{
    if (!form_)
        make();
    const ui::ScreenMetrics screen = toolkit_.screen();
    const float height = kMargin + kTitleHeight + kTextHeight + kMargin;
    const bool roomRight = icon.left + icon.width + kWidth <= screen.widthTwips();
    toolkit_.setFormRect(form_->id(),
        {roomRight ? icon.left + icon.width : icon.left - kWidth,
            std::max(0.0f, std::min(icon.top, screen.heightTwips() - height)), kWidth, height});
    title_->setCaption(title);
    text_->setCaption(text);
    timeout_->setInterval(timeoutMs);
    timeout_->setEnabled(true);
    toolkit_.showFormInactive(form_->id());
    shown_ = true;
}

void BalloonWindow::Hide()
{
    if (!shown_)
        return;
    shown_ = false;
    timeout_->setEnabled(false);
    toolkit_.showForm(form_->id(), false);
}

void BalloonWindow::close(bool clicked)
{
    if (!shown_)
        return;
    Hide();
    if (closed_)
        closed_(clicked);
}

} // namespace bar
