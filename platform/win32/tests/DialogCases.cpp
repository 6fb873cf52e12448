// The modal dialogs, answered by a "user" that a thread timer plays from inside their own loop.
#include "platform/win32/tests/SelfTest.h"
#include "platform/win32/tests/Support.h"

#include <string>

using namespace selftest;

namespace {

// What the user does once the dialog is up: type into the field with this id (0: the first
// edit box), then press this button.
struct Answer {
    int field = 0;
    std::string text;
    WORD button = IDOK;
    std::string title; // the dialog's caption, as seen
    bool done = false;
};
Answer answer;

BOOL CALLBACK findDialog(HWND window, LPARAM found)
{
    if (className(window) != "#32770" || !IsWindowVisible(window))
        return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

VOID CALLBACK actAsUser(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), &findDialog, reinterpret_cast<LPARAM>(&dialog));
    if (!dialog || answer.done)
        return;
    answer.done = true;
    KillTimer(nullptr, timer);
    answer.title = windowText(dialog);
    const HWND field =
        answer.field ? GetDlgItem(dialog, answer.field) : FindWindowExA(dialog, nullptr, "Edit", nullptr);
    if (field)
        SetWindowTextA(field, answer.text.c_str());
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(answer.button, BN_CLICKED), 0);
}

void answerNextDialog(int field, const std::string& text, WORD button)
{
    answer = Answer {field, text, button, std::string(), false};
    SetTimer(nullptr, 0, 50, &actAsUser);
}

} // namespace

SELFTEST(TheInputBoxAndTheFileDialogAnswerWithTheUsersChoiceOrNothing)
{
    platform::win32::Win32Platform platform;
    ui::Toolkit& toolkit = platform.toolkit();
    Recorder events;
    const ui::FormId form = toolkit.createForm(formSpec("Owner"), events);
    toolkit.showForm(form, true);

    answerNextDialog(0, "Games", IDOK);
    CHECK(toolkit.inputBox(form, "Enter new name", "Rename", "Other") == std::optional<std::string>("Games"));
    CHECK_EQ(answer.title, std::string("Rename"));
    answerNextDialog(0, "ignored", IDCANCEL);
    CHECK(!toolkit.inputBox(form, "Enter new name", "", "").has_value());

    // The file name box of the system's dialog (cmb13); an existing file is taken.
    constexpr int kFileNameBox = 0x47C;
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    ui::OpenFileRequest request {"Select file...", "exe", "*.exe"};
    answerNextDialog(kFileNameBox, self, IDOK);
    const std::optional<std::string> chosen = toolkit.openFileDialog(form, request);
    CHECK_EQ(answer.title, std::string("Select file..."));
    CHECK(chosen.has_value());
    if (chosen)
        CHECK_EQ(_stricmp(chosen->c_str(), self), 0);
    answerNextDialog(kFileNameBox, self, IDCANCEL);
    CHECK(!toolkit.openFileDialog(form, request).has_value());
}
