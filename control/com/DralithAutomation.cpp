// The 38 members of _DralithCTL: each one applies a rule of the portable state and mirrors the
// result onto the timer, the label or the surface.
#include "control/com/DralithControl.h"

#include "win32kit/Guarded.h"
#include "control/com/SettingsStore.h"
#include "control/com/SystemMemory.h"

namespace dralith {
namespace {

VARIANT_BOOL automationBool(bool value)
{
    return value ? VARIANT_TRUE : VARIANT_FALSE;
}

template <class T, class Read> HRESULT readInto(T* out, Read&& read)
{
    if (!out)
        return E_POINTER;
    return win32kit::guarded([&] {
        *out = read();
        return S_OK;
    });
}

HRESULT memoryProperty(LONG* out, MemoryField field)
{
    return readInto(out, [field] { return static_cast<LONG>(megabytesOf(readMemoryFigures(), field)); });
}

} // namespace

HRESULT STDMETHODCALLTYPE DralithControl::LoadSettings(BSTR application)
{
    return win32kit::guarded([&] { return loadSettings(ansiFromBstr(application), host_->viewer().state()); });
}

HRESULT STDMETHODCALLTYPE DralithControl::SaveSettings(BSTR application)
{
    return win32kit::guarded([&] { return saveSettings(ansiFromBstr(application), host_->viewer().state()); });
}

HRESULT STDMETHODCALLTYPE DralithControl::DelSettings(BSTR application)
{
    return win32kit::guarded([&] {
        deleteSettings(ansiFromBstr(application));
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE DralithControl::put_FreeOnClickEnabled(VARIANT_BOOL* value)
{
    if (!value)
        return E_POINTER;
    host_->viewer().state().setFreeOnClick(*value);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE DralithControl::get_FreeOnClickEnabled(VARIANT_BOOL* value)
{
    return readInto(value, [&] { return static_cast<VARIANT_BOOL>(host_->viewer().state().freeOnClick()); });
}

HRESULT STDMETHODCALLTYPE DralithControl::get_FreeMemory(LONG* value)
{
    return memoryProperty(value, MemoryField::AvailPhys);
}

HRESULT STDMETHODCALLTYPE DralithControl::put_DataLength(float* value)
{
    if (!value)
        return E_POINTER;
    host_->viewer().state().setDataLength(*value);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE DralithControl::get_DataLength(float* value)
{
    return readInto(value, [&] { return host_->viewer().state().dataLength(); });
}

HRESULT STDMETHODCALLTYPE DralithControl::put_MenuDisplayVisible(VARIANT_BOOL* value)
{
    if (!value)
        return E_POINTER;
    host_->viewer().state().setMenuDisplayVisible(*value != 0);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE DralithControl::get_MenuDisplayVisible(VARIANT_BOOL* value)
{
    return readInto(value, [&] { return automationBool(host_->viewer().state().menu().displayVisible); });
}

HRESULT STDMETHODCALLTYPE DralithControl::put_MenuDisplayEnabled(VARIANT_BOOL* value)
{
    if (!value)
        return E_POINTER;
    host_->viewer().state().setMenuDisplayEnabled(*value != 0);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE DralithControl::get_MenuDisplayEnabled(VARIANT_BOOL* value)
{
    return readInto(value, [&] { return automationBool(host_->viewer().state().menu().displayEnabled); });
}

HRESULT STDMETHODCALLTYPE DralithControl::put_MenuDisplayMultiLineVisible(VARIANT_BOOL* value)
{
    if (!value)
        return E_POINTER;
    host_->viewer().state().setMenuDisplayMultiLineVisible(*value != 0);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE DralithControl::get_MenuDisplayMultiLineVisible(VARIANT_BOOL* value)
{
    return readInto(value, [&] { return automationBool(host_->viewer().state().menu().multiLineVisible); });
}

HRESULT STDMETHODCALLTYPE DralithControl::put_MenuDisplayMultiLineEnabled(VARIANT_BOOL* value)
{
    if (!value)
        return E_POINTER;
    host_->viewer().state().setMenuDisplayMultiLineEnabled(*value != 0);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE DralithControl::get_MenuDisplayMultiLineEnabled(VARIANT_BOOL* value)
{
    return readInto(value, [&] { return automationBool(host_->viewer().state().menu().multiLineEnabled); });
}

HRESULT STDMETHODCALLTYPE DralithControl::put_MenuFreeOnClickVisible(VARIANT_BOOL* value)
{
    if (!value)
        return E_POINTER;
    host_->viewer().state().setMenuFreeOnClickVisible(*value != 0);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE DralithControl::get_MenuFreeOnClickVisible(VARIANT_BOOL* value)
{
    return readInto(value, [&] { return automationBool(host_->viewer().state().menu().freeOnClickVisible); });
}

HRESULT STDMETHODCALLTYPE DralithControl::put_MenuFreeOnClickEnabled(VARIANT_BOOL* value)
{
    if (!value)
        return E_POINTER;
    host_->viewer().state().setMenuFreeOnClickEnabled(*value != 0);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE DralithControl::get_MenuFreeOnClickEnabled(VARIANT_BOOL* value)
{
    return readInto(value, [&] { return automationBool(host_->viewer().state().menu().freeOnClickEnabled); });
}

HRESULT STDMETHODCALLTYPE DralithControl::get_MemoryMaxMB(LONG* value)
{
    return memoryProperty(value, MemoryField::TotalPhys);
}
HRESULT STDMETHODCALLTYPE DralithControl::get_MemoryMaxPageMB(LONG* value)
{
    return memoryProperty(value, MemoryField::TotalPageFile);
}
HRESULT STDMETHODCALLTYPE DralithControl::get_MemoryMaxvirtualMB(LONG* value)
{
    return memoryProperty(value, MemoryField::TotalVirtual);
}
HRESULT STDMETHODCALLTYPE DralithControl::get_MemoryCurrentMB(LONG* value)
{
    return memoryProperty(value, MemoryField::AvailPhys);
}
HRESULT STDMETHODCALLTYPE DralithControl::get_MemoryCurrentPageMB(LONG* value)
{
    return memoryProperty(value, MemoryField::AvailPageFile);
}
HRESULT STDMETHODCALLTYPE DralithControl::get_MemoryCurrentVirtualMB(LONG* value)
{
    return memoryProperty(value, MemoryField::AvailVirtual);
}

HRESULT STDMETHODCALLTYPE DralithControl::get_DisplayMode(::DisplayModes* value)
{
    return readInto(value, [&] { return static_cast<::DisplayModes>(host_->viewer().state().displayMode()); });
}

HRESULT STDMETHODCALLTYPE DralithControl::put_DisplayMode(::DisplayModes* value)
{
    if (!value)
        return E_POINTER;
    return win32kit::guarded([&] {
        host_->viewer().state().setDisplayMode(static_cast<float>(*value));
        host_->applyLabel();
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE DralithControl::get_BorderStyle(::BStyle* value)
{
    return readInto(value, [&] { return static_cast<::BStyle>(host_->viewer().state().borderStyle()); });
}

HRESULT STDMETHODCALLTYPE DralithControl::put_BorderStyle(::BStyle* value)
{
    if (!value)
        return E_POINTER;
    if (!host_->viewer().state().setBorderStyle(static_cast<std::int32_t>(*value)))
        return E_INVALIDARG;
    host_->applyFrame();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE DralithControl::get_Appearance(::FApp* value)
{
    return readInto(value, [&] { return static_cast<::FApp>(host_->viewer().state().appearance()); });
}

HRESULT STDMETHODCALLTYPE DralithControl::put_Appearance(::FApp* value)
{
    if (!value)
        return E_POINTER;
    if (!host_->viewer().state().setAppearance(static_cast<std::int32_t>(*value)))
        return E_INVALIDARG;
    host_->applyFrame();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE DralithControl::get_Enabled(VARIANT_BOOL* value)
{
    return readInto(value, [&] { return automationBool(host_->viewer().state().enabled()); });
}

HRESULT STDMETHODCALLTYPE DralithControl::put_Enabled(VARIANT_BOOL* value)
{
    if (!value)
        return E_POINTER;
    host_->viewer().state().setEnabled(*value != 0);
    host_->applyTimer();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE DralithControl::get_Interval(float* value)
{
    return readInto(value, [&] { return static_cast<float>(host_->viewer().state().interval()); });
}

HRESULT STDMETHODCALLTYPE DralithControl::put_Interval(float* value)
{
    if (!value)
        return E_POINTER;
    if (!host_->viewer().state().setInterval(*value))
        return E_INVALIDARG;
    host_->applyTimer();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE DralithControl::FreeUpMemory(::FreeMemModes* memAmmountMB)
{
    if (!memAmmountMB)
        return E_POINTER;
    return win32kit::guarded([&] {
        host_->freeUpMemory(static_cast<std::int32_t>(*memAmmountMB));
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE DralithControl::Refresh()
{
    return win32kit::guarded([&] {
        host_->refresh();
        return S_OK;
    });
}

} // namespace dralith
