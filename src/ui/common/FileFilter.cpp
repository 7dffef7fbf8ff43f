// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/common/FileFilter.h"

#include <QStringList>

namespace tolvanor::ui {
namespace {

QString NameWithoutPatterns(QString name) {
    name = name.trimmed();
    if (name.endsWith(QLatin1Char(')'))) {
        const qsizetype open = name.lastIndexOf(QLatin1Char('('));
        if (open > 0) name = name.left(open).trimmed();
    }
    return name;
}

QString QtPatterns(const QString& patterns) {
    QStringList result;
    for (QString pattern : patterns.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        pattern = pattern.trimmed();
        if (pattern == QLatin1String("*.*")) pattern = QStringLiteral("*");
        if (!pattern.isEmpty()) result.append(pattern);
    }
    return result.join(QLatin1Char(' '));
}

} // namespace

QString QtFileFilter(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].trimmed().isEmpty() && parts[i + 1].trimmed().isEmpty()) continue;
        entries.append(NameWithoutPatterns(parts[i]) + QStringLiteral(" (") + QtPatterns(parts[i + 1]) +
                       QLatin1Char(')'));
    }
    return entries.join(QStringLiteral(";;"));
}

} // namespace tolvanor::ui
