#include "platform/SavedLines.h"

namespace platform {

SavedLines::SavedLines(Files& files, LineFileLimits limits)
    : files_(files)
    , limits_(limits)
{
}

void SavedLines::Load(const std::string& path)
{
    path_ = path;
    pending_.clear();
    lastSave_ = SaveResult();
    Take(ReadLineFile(files_, path_, limits_));
}

bool SavedLines::Refresh()
{
    if (path_.empty() || !pending_.empty())
        return false;
    LineFileContent content = ReadLineFile(files_, path_, limits_);
    if (content.stamp == stamp_)
        return false;
    if (content.problem == FileProblem::Unreadable || content.problem == FileProblem::NotText) {
        // Nothing to show from it: the list stays, but is not written over it either.
        stamp_ = content.stamp;
        fileProblem_ = content.problem;
        return false;
    }
    Take(std::move(content));
    return true;
}

void SavedLines::Take(LineFileContent content)
{
    lines_ = std::move(content.lines);
    encoding_ = content.encoding;
    stamp_ = content.stamp;
    fileProblem_ = content.problem;
}

bool SavedLines::Apply(Change change)
{
    if (!change(lines_))
        return false;
    pending_.push_back(std::move(change));
    Save();
    return true;
}

void SavedLines::Save()
{
    lastSave_ = SaveResult();
    if (path_.empty()) {
        lastSave_.problem = FileProblem::WriteFailed;
        return;
    }
    LineFileContent now = ReadLineFile(files_, path_, limits_);
    if (now.stamp != stamp_) {
        // Changed since it was read or written: the user's changes go onto what it holds now.
        // An unusable file keeps the list as the user made it, to be tried again.
        lastSave_.merged = true;
        stamp_ = now.stamp;
        fileProblem_ = now.problem;
        if (fileProblem_ == FileProblem::None) {
            encoding_ = now.encoding;
            lines_ = std::move(now.lines);
            std::vector<Change> applied;
            for (Change& change : pending_) {
                if (change(lines_))
                    applied.push_back(std::move(change));
                else
                    ++lastSave_.dropped;
            }
            pending_ = std::move(applied);
        }
    }
    if (fileProblem_ != FileProblem::None) {
        lastSave_.problem = fileProblem_;
        return;
    }
    TextEncoding encoding = encoding_;
    const std::optional<std::string> bytes = LineFileBytes(lines_, encoding, files_.codePage());
    if (!bytes) {
        lastSave_.problem = FileProblem::CannotEncode;
        return;
    }
    // Between this read and the write another program could still write; the window is short.
    switch (files_.write(path_, *bytes)) {
    case WriteStatus::Ok:
        break;
    case WriteStatus::Denied:
        lastSave_.problem = FileProblem::Denied;
        return;
    case WriteStatus::Failed:
        lastSave_.problem = FileProblem::WriteFailed;
        return;
    }
    encoding_ = encoding;
    stamp_ = StampOf(ReadStatus::Ok, std::string_view(*bytes).substr(0, limits_.maxBytes + 1));
    pending_.clear();
}

std::string SaveNote(const SavedLines::SaveResult& save)
{
    if (save.problem != FileProblem::None)
        return std::string("not saved: ") + DescribeProblem(save.problem);
    if (save.dropped == 1)
        return "changed elsewhere: 1 edit not applied";
    if (save.dropped > 1)
        return "changed elsewhere: " + std::to_string(save.dropped) + " edits not applied";
    if (save.merged)
        return "merged with changes made elsewhere";
    return std::string();
}

} // namespace platform
