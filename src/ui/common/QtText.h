// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace tolvanor::ui {

// The core keeps 8-bit texts. Paths are in the file system's encoding;
// messages mix paths with job texts, which are Windows-1252: a message that
// is valid UTF-8 is shown as such, anything else as Windows-1252.
QString PathToQt(std::string_view path);
std::string PathFromQt(const QString& path);
QString TextToQt(std::string_view text);
// Job texts typed into a box (prefix, append text): the bytes a path would
// have, so names built from them match the files on disc.
inline std::string TextFromQt(const QString& text) {
    return PathFromQt(text);
}

// The core's line breaks (CR LF or a lone CR) as Qt's "\n".
QString WithQtLineBreaks(const QString& text);

} // namespace tolvanor::ui
