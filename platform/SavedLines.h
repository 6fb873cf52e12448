#pragma once
// A list of lines the user edits, saved to its file after every change. The file may be changed
// meanwhile (an editor, a second bar): before writing, it is read again and compared with what
// was last read or written. When it changed, the list becomes what the file now holds and the
// changes not yet saved are applied to that, so that neither side's edit is lost. A file that
// cannot be taken whole as text is never written over: the changes then stay in memory, each
// next change tries again, and the last save says why it failed.
#include "platform/Files.h"
#include "platform/LineFile.h"

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace platform {

class SavedLines {
public:
    // One change, applicable to any version of the list; false when it does not apply to this
    // one (its entry is gone).
    using Change = std::function<bool(std::vector<std::string>& lines)>;

    struct SaveResult {
        FileProblem problem = FileProblem::None; // why the changes are not in the file
        bool merged = false;                     // the file had changed and was read again
        std::size_t dropped = 0;                 // changes that no longer applied to it
    };

    SavedLines(Files& files, LineFileLimits limits);
    SavedLines(const SavedLines&) = delete;
    SavedLines& operator=(const SavedLines&) = delete;

    // Reads the list from path, which later changes are written to.
    void Load(const std::string& path);
    // Reads the file again if it changed and no change waits to be saved; true when the lines are
    // now the file's. A file that became unreadable or no text leaves the lines as they were.
    bool Refresh();

    const std::vector<std::string>& lines() const { return lines_; }
    // Why the file as last read may not be written over; None when it may.
    FileProblem fileProblem() const { return fileProblem_; }
    TextEncoding encoding() const { return encoding_; }
    // The outcome of the last save; a default one before any change.
    const SaveResult& lastSave() const { return lastSave_; }
    // True when changes wait for a save that works.
    bool unsaved() const { return !pending_.empty(); }

    // Applies the change and saves the list; false when it did not apply (nothing is saved).
    bool Apply(Change change);

private:
    void Take(LineFileContent content);
    void Save();

    Files& files_;
    LineFileLimits limits_;
    std::string path_;
    std::vector<std::string> lines_;
    TextEncoding encoding_ = TextEncoding::Ansi;
    FileStamp stamp_;
    FileProblem fileProblem_ = FileProblem::None;
    std::vector<Change> pending_;
    SaveResult lastSave_;
};

// What a window tells the user of the last save, for its caption: "not saved: <reason>", that
// the file had changed and the edit went onto it, or empty when the change was saved as it was.
std::string SaveNote(const SavedLines::SaveResult& save);

} // namespace platform
