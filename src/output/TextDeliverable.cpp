// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/TextDeliverable.h"

namespace tolvanor {

bool TextDeliverable::Open(const std::string& path) {
    if (!PrepareFile(path)) return false;
    if (!file_.Open(path, mode_)) return false;
    return WriteFileHeader(file_) && !file_.Failed();
}

bool TextDeliverable::WriteLine(const Job& job, std::int32_t line) {
    return WriteShots(file_, job, line) && !file_.Failed();
}

bool TextDeliverable::Close() {
    // A file the writer gave up on is not put in place of the old one.
    if (failure_) {
        file_.Discard();
        return false;
    }
    return file_.Close();
}

WriteFailure TextDeliverable::Failure() const {
    if (failure_) return *failure_;
    return {file_.Path(), file_.Reason()};
}

bool TextDeliverable::PrepareFile(const std::string&) {
    return true;
}

bool TextDeliverable::WriteFileHeader(OutputFile&) {
    return true;
}

bool TextDeliverable::Fail(std::string path, std::string reason) {
    if (!failure_) failure_ = WriteFailure{std::move(path), std::move(reason)};
    return false;
}

} // namespace tolvanor
