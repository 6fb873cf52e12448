#include "control/core/ControlState.h"

#include <cmath>
#include <limits>

#include "control/core/Rounding.h"

namespace dralith {

void ControlState::toggleFreeOnClick()
{
    freeOnClick_ = freeOnClickOn() ? kFalse : kTrue;
}

void ControlState::setDisplayMode(float mode)
{
    displayMode_ = mode;
    labelVisible_ = (mode != 0.0f);
}

void ControlState::chooseDisplayModeEntry(int index)
{
    displayMode_ = static_cast<float>(index);
}

std::int32_t ControlState::displayMode() const
{
    return roundHalfEvenToLong(static_cast<double>(displayMode_));
}

void ControlState::setDataLength(float value)
{
    const float whole = std::trunc(value);
    if (whole > 7.0f) // also refuses NaN
        dataLength_ = whole;
}

std::size_t ControlState::historyLimit() const
{
    constexpr float kMost = static_cast<float>(std::numeric_limits<std::int32_t>::max());
    if (dataLength_ >= kMost)
        return static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max());
    return static_cast<std::size_t>(dataLength_);
}

void ControlState::setMenuDisplayEnabled(bool enabled)
{
    menu_.displayEnabled = enabled;
    if (!enabled)
        displayMode_ = 0.0f;
}

void ControlState::setMenuDisplayMultiLineVisible(bool visible)
{
    menu_.multiLineVisible = visible;
    if (!visible)
        narrowToSingleLineMode();
}

void ControlState::setMenuDisplayMultiLineEnabled(bool enabled)
{
    menu_.multiLineEnabled = enabled;
    if (!enabled)
        narrowToSingleLineMode();
}

void ControlState::narrowToSingleLineMode()
{
    if (displayMode_ > 2.0f)
        displayMode_ = (displayMode_ == 4.0f) ? 2.0f : 1.0f;
}

MenuChecks ControlState::rightClickChecks() const
{
    MenuChecks checks;
    const std::int32_t mode = displayMode();
    if (mode >= 0 && mode < kDisplayModeCount)
        checks.displayMode[static_cast<std::size_t>(mode)] = true;
    checks.freeOnClick = freeOnClickOn();
    return checks;
}

bool ControlState::setInterval(float milliseconds)
{
    const double rounded = roundHalfEven(static_cast<double>(milliseconds));
    if (!(rounded >= 0.0 && rounded <= static_cast<double>(std::numeric_limits<std::int32_t>::max())))
        return false;
    interval_ = static_cast<std::int32_t>(rounded);
    return true;
}

bool ControlState::setBorderStyle(std::int32_t style)
{
    if (style != static_cast<std::int32_t>(BStyle::None) && style != static_cast<std::int32_t>(BStyle::FixedSingle))
        return false;
    borderStyle_ = static_cast<BStyle>(style);
    return true;
}

bool ControlState::setAppearance(std::int32_t appearance)
{
    if (appearance != static_cast<std::int32_t>(FApp::Flat) && appearance != static_cast<std::int32_t>(FApp::Lowered))
        return false;
    appearance_ = static_cast<FApp>(appearance);
    return true;
}

bool ControlState::applySettings(const DecodedSettings& settings)
{
    if (settings.freeOnClick)
        freeOnClick_ = *settings.freeOnClick ? kTrue : kFalse;
    if (settings.displayMode)
        displayMode_ = static_cast<float>(*settings.displayMode);
    return !settings.invalidArgument;
}

} // namespace dralith
