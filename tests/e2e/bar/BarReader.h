#pragma once
// Reads the running bar the way a screen reader would: its top-level window, its child
// controls (id, text, visibility, place) and its popup menus.
#include <windows.h>

#include <string>
#include <vector>

namespace bar_probe {

struct Control {
    HWND window = nullptr;
    int id = 0;
    std::string className;
    std::string text;
    bool visible = false;
    RECT inBar = {}; // relative to the bar's client area
    RECT onScreen = {};
};

// The visible top-level window captioned "Tolvane" that belongs to process `processId`.
HWND FindBar(DWORD processId);

// Every descendant window of the bar.
std::vector<Control> ReadControls(HWND bar);
const Control* FindControl(const std::vector<Control>& controls, int id);

// Every element of the task button array that exists, in index order (visible or not).
std::vector<Control> TaskButtonElements(const std::vector<Control>& controls);
// The visible task buttons, in index order.
std::vector<Control> VisibleTaskButtons(HWND bar);
std::vector<std::string> Captions(const std::vector<Control>& buttons);
const Control* FindButton(const std::vector<Control>& buttons, const std::string& caption);

// "(left,top widthxheight)" for failure messages.
std::string RectText(const RECT& r);

// "['A', 'B']" (long captions shortened) for failure messages.
std::string ListText(const std::vector<std::string>& captions);

// The window with the keyboard focus in the thread that owns `window`, and its control id (0 for none).
HWND FocusIn(HWND window);
int FocusedId(HWND window);

// A visible top-level window of this class of process `processId`, or null.
HWND FindTopLevel(DWORD processId, const std::string& className);
// A visible popup menu window (class "#32768") of process `processId`, or null.
HWND FindPopupMenu(DWORD processId);

} // namespace bar_probe
