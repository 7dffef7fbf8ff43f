// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/ReadMessages.h"

#include "core/GeneralText.h"

namespace tolvanor {

namespace {
constexpr std::string_view CrLf = "\r\n";
}

std::string ReadErrorMessage(ReadError error, std::string_view rawLine, std::int64_t jobLineCounter) {
    std::string text;
    switch (error) {
    case ReadError::None:
        break;
    case ReadError::Format:
        text = "There is a problem with the data format of the input file, in or near the line: ";
        text.append(CrLf).append(rawLine).append(CrLf).append(CrLf);
        text += "  Please correct your source file and try again.";
        break;
    case ReadError::Open:
        text = "Unable to open specified file.";
        text.append(CrLf);
        text += "Please select a valid file or make sure that the file is not in use by another program.";
        break;
    case ReadError::EndOfFile:
        text = "Invalid data at the end of the file, near line number " + LeadingBlankText(jobLineCounter);
        text += ".  Please correct to the selected format and retry.";
        break;
    case ReadError::Other:
        text = "There is a problem reading your source data.";
        text.append(CrLf);
        text += "Please check the source file data and data format selection, then retry.";
        break;
    }
    return text;
}

std::string LineLimitMessage(std::int32_t maxLines, std::string_view profileNumber) {
    return "More than " + std::to_string(maxLines) + " lines in input file.  Data from profile " +
           std::string(profileNumber) + " and following data ignored.";
}

std::string ShotLimitMessage(std::int32_t maxShots, std::string_view profileNumber) {
    return "More than " + std::to_string(maxShots) + " shots in profile " + std::string(profileNumber) +
           std::string(CrLf) + "All following data on this line will be ignored.";
}

} // namespace tolvanor
