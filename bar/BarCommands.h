#pragma once
// What the bar's windows, indicators, menus and remote control may ask of the bar. The bar
// implements it and hands it to them, so none of them needs to know the others. What only the bar's
// own main menu asks for is no part of it: the bar wires those entries itself.
namespace bar {

enum class PowerAction { LogOff, Restart, ShutDown };

class BarCommands {
public:
    // The settings window on one page (0 to 3), or with all pages (-1).
    virtual void PopupSettings(int page) = 0;
    virtual void ShowTaskManager() = 0;
    // Starts a free-up, or stops the one running.
    virtual void FreeUpMemory() = 0;
    // Ends the program at once: no window's close handling runs.
    virtual void Quit() = 0;
    virtual void EndSession(PowerAction action) = 0;
    // -1 free-floating, 0 to 8 a docking position.
    virtual void SetAlign(float position) = 0;
    // Moves a free-floating bar by whole pixels, keeping it on the screen; a docked bar stays.
    virtual void MoveBar(int dxPixels, int dyPixels) = 0;
    // Brings the bar forward, out of hiding when docked, with the run box focused.
    virtual void FocusRunBox() = 0;

protected:
    ~BarCommands() = default;
};

} // namespace bar
