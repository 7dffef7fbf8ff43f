// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/main/MainControls.h"

class QMainWindow;

namespace tolvanor::ui {

// Creates every control of the main window, its two tab pages, menus and
// tool bar, and fills the option lists. Names, captions and tool tips are
// the window's texts; nothing is connected here.
void BuildMainLayout(QMainWindow& window, MainControls& controls);

} // namespace tolvanor::ui
