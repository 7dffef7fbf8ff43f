// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QString>

namespace tolvanor::ui {

// An icon bundled with the program (src/ui/resources/icons/<name>.svg), so
// the tool bar looks the same whatever desktop theme is installed.
inline QIcon BundledIcon(const char* name) {
    return QIcon(QStringLiteral(":/tolvanor/icons/") + QLatin1String(name) + QStringLiteral(".svg"));
}

} // namespace tolvanor::ui
