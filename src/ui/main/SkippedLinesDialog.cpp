// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main/SkippedLinesDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace tolvanor::ui {

SkippedLinesDialog::SkippedLinesDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("dlgSkippedStartingPoints"));
    setWindowTitle(QStringLiteral("Starting points not used"));
    auto* layout = new QVBoxLayout(this);
    heading_ = new QLabel(this);
    heading_->setWordWrap(true);
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("lstSkippedLines"));
    list_->setAccessibleName(QStringLiteral("Skipped lines"));
    heading_->setBuddy(list_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::hide);
    layout->addWidget(heading_);
    layout->addWidget(list_, 1);
    layout->addWidget(buttons);
    resize(520, 300);
}

void SkippedLinesDialog::ShowLines(const QString& file, const QStringList& lines) {
    heading_->setText(
        QStringLiteral("These lines of %1 were skipped; their lines got no starting point from them:").arg(file));
    list_->clear();
    list_->addItems(lines);
    show();
    raise();
}

QStringList SkippedLinesDialog::Lines() const {
    QStringList lines;
    for (int row = 0; row < list_->count(); ++row) lines.append(list_->item(row)->text());
    return lines;
}

} // namespace tolvanor::ui
