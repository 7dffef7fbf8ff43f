// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/common/HelpWindow.h"

#include <QMessageBox>

namespace tolvanor::ui {

void ShowUserGuide(QWidget* parent) {
    QMessageBox::information(parent, "Tolvanor", "The user guide is not bundled yet.");
}

void ShowAbout(QWidget* parent) {
    QMessageBox::about(parent, "About Tolvanor", "Tolvanor");
}

} // namespace tolvanor::ui
