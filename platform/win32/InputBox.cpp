// The input box: a dialog template built in memory, so the program needs no dialog resource.
#include "platform/win32/Dialogs.h"

#include <cstring>
#include <vector>

namespace platform::win32 {

namespace {

constexpr WORD kAnswerBox = 100;
constexpr WORD kPrompt = 101;
// Predefined window classes by atom, as dialog templates name them.
constexpr WORD kButtonAtom = 0x0080;
constexpr WORD kEditAtom = 0x0081;
constexpr WORD kStaticAtom = 0x0082;

// A dialog template: DWORD-aligned records of WORDs, texts as wide strings.
class Template {
public:
    void dialog(DWORD style, WORD items, short width, short height)
    {
        align();
        DLGTEMPLATE header {};
        header.style = style;
        header.cdit = items;
        header.cx = width;
        header.cy = height;
        add(&header, sizeof header);
        words_.push_back(0); // no menu
        words_.push_back(0); // the standard dialog class
        words_.push_back(0); // the caption is set once the dialog exists
        words_.push_back(8); // point size of the font below
        text("MS Shell Dlg");
    }
    void item(WORD classAtom, WORD id, DWORD style, short x, short y, short width, short height, const char* caption)
    {
        align();
        DLGITEMTEMPLATE header {};
        header.style = style | WS_CHILD | WS_VISIBLE;
        header.x = x;
        header.y = y;
        header.cx = width;
        header.cy = height;
        header.id = id;
        add(&header, sizeof header);
        words_.push_back(0xFFFF);
        words_.push_back(classAtom);
        text(caption);
        words_.push_back(0); // no creation data
    }
    const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

private:
    void add(const void* record, std::size_t bytes)
    {
        const std::size_t at = words_.size();
        words_.resize(at + (bytes + 1) / 2, 0);
        std::memcpy(&words_[at], record, bytes);
    }
    // Plain ASCII only, which widens by itself.
    void text(const char* ascii)
    {
        for (const char* c = ascii; *c; ++c)
            words_.push_back(static_cast<WORD>(static_cast<unsigned char>(*c)));
        words_.push_back(0);
    }
    void align()
    {
        if (words_.size() % 2)
            words_.push_back(0);
    }

    std::vector<WORD> words_;
};

struct Question {
    const std::string& prompt;
    const std::string& title;
    const std::string& defaultText;
    std::optional<std::string> answer;
};

std::string itemText(HWND dialog, int id)
{
    const HWND item = GetDlgItem(dialog, id);
    const int length = item ? GetWindowTextLengthA(item) : 0;
    if (length <= 0)
        return std::string();
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const int copied = GetWindowTextA(item, &text[0], length + 1);
    text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    return text;
}

INT_PTR CALLBACK inputBoxProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    try {
        if (message == WM_INITDIALOG) {
            auto* question = reinterpret_cast<Question*>(lParam);
            SetWindowLongPtrA(dialog, DWLP_USER, lParam);
            SetWindowTextA(dialog, question->title.c_str());
            SetDlgItemTextA(dialog, kPrompt, question->prompt.c_str());
            SetDlgItemTextA(dialog, kAnswerBox, question->defaultText.c_str());
            SendDlgItemMessageA(dialog, kAnswerBox, EM_SETSEL, 0, -1);
            return TRUE; // the focus goes to the first tab stop, the answer box
        }
        if (message != WM_COMMAND)
            return FALSE;
        auto* question = reinterpret_cast<Question*>(GetWindowLongPtrA(dialog, DWLP_USER));
        const WORD command = LOWORD(wParam);
        if (command == IDOK && question) {
            question->answer = itemText(dialog, kAnswerBox);
            EndDialog(dialog, IDOK);
            return TRUE;
        }
        if (command == IDCANCEL) {
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
    } catch (...) {
        EndDialog(dialog, IDCANCEL); // a failure answers as a cancel, and never unwinds into the system
    }
    return FALSE;
}

} // namespace

std::optional<std::string> showInputBox(ToolkitContext& context, HWND owner, const std::string& prompt,
    const std::string& title, const std::string& defaultText)
{
    Template layout;
    layout.dialog(DS_MODALFRAME | DS_CENTER | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU, 4, 240, 76);
    layout.item(kStaticAtom, kPrompt, SS_LEFT | SS_NOPREFIX, 6, 6, 172, 44, "");
    layout.item(kEditAtom, kAnswerBox, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 6, 56, 228, 13, "");
    layout.item(kButtonAtom, IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 184, 6, 50, 14, "OK");
    layout.item(kButtonAtom, IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, 184, 24, 50, 14, "Cancel");
    Question question {prompt, title, defaultText, std::nullopt};
    const INT_PTR chosen = DialogBoxIndirectParamA(
        context.instance, layout.get(), owner, &inputBoxProc, reinterpret_cast<LPARAM>(&question));
    if (chosen != IDOK)
        return std::nullopt;
    return question.answer;
}

} // namespace platform::win32
