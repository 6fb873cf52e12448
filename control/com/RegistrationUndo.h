#pragma once
// What one registration changed below HKEY_CLASSES_ROOT, newest last, so that a failure part-way
// takes back exactly that: keys it created go (with their values), values it created go, values
// it overwrote get their old data back. Keys and values an earlier registration left stay.
#include <windows.h>

#include <string>
#include <vector>

namespace dralith {

class RegistrationUndo {
public:
    void keyCreated(const std::wstring& key);
    // Called before a value of a key that already existed is written.
    void valueWritten(HKEY key, const std::wstring& keyName, const wchar_t* valueName);
    void rollBack();

private:
    struct Change {
        std::wstring key;
        bool keyCreated;
        std::wstring valueName;
        bool defaultValue;
        bool existed; // the value was there before, with `type` and `previous`
        DWORD type;
        std::vector<BYTE> previous;
    };
    std::vector<Change> changes_;
};

} // namespace dralith
