// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

namespace tolvanor::ui {

// Opens the bundled user guide in its help window (one per owner; shown again
// and raised when already open).
void ShowUserGuide(QWidget* parent);

// The about box: version, licence and the libraries the program is built on.
void ShowAbout(QWidget* parent);

} // namespace tolvanor::ui
