// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "output/DeliverableWalk.h"
#include "output/NumberTexts.h"
#include "output/OutputFile.h"

#include <optional>

namespace tolvanor {

// The text deliverables: one buffered file, CR LF line ends, a file header
// written whenever a file is opened, then each line's used shots.
class TextDeliverable : public DeliverableWriter {
public:
    explicit TextDeliverable(OutputFile::OpenMode mode) : mode_(mode) {}

    bool Open(const std::string& path) override;
    bool WriteLine(const Job& job, std::int32_t line) override;
    bool Close() override;
    WriteFailure Failure() const override;

protected:
    // Runs before `path` is opened: whatever could fail without touching it.
    virtual bool PrepareFile(const std::string& path);
    // What goes at the top of every opened file (nothing by default).
    virtual bool WriteFileHeader(OutputFile& file);
    // The used shots of one line and its trailer; false stops the walk
    // (after calling Fail, or with the file's own failure).
    virtual bool WriteShots(OutputFile& file, const Job& job, std::int32_t line) = 0;

    // A failure of the writer's own, not of the file system.
    bool Fail(std::string path, std::string reason);
    // The file being written.
    const std::string& Path() const noexcept { return file_.Path(); }

    NumberTexts Numbers;

private:
    OutputFile::OpenMode mode_;
    OutputFile file_;
    std::optional<WriteFailure> failure_;
};

} // namespace tolvanor
