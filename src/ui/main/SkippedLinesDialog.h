// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

class QLabel;
class QListWidget;

namespace tolvanor::ui {

// The lines of a starting-point file that a merge could not use, each with
// its line number and reason, until the user closes the list. Modeless: the
// user can fix the file beside it.
class SkippedLinesDialog : public QDialog {
    Q_OBJECT

public:
    explicit SkippedLinesDialog(QWidget* parent = nullptr);

    void ShowLines(const QString& file, const QStringList& lines);
    QStringList Lines() const;

private:
    QLabel* heading_ = nullptr;
    QListWidget* list_ = nullptr;
};

} // namespace tolvanor::ui
