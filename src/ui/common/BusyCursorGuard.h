// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QCursor>

namespace tolvanor::ui {

// The busy pointer for the life of a scope: every return path and every
// early stop restores the pointer the user had. Guards nest.
class BusyCursorGuard {
public:
    BusyCursorGuard() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursorGuard() { QApplication::restoreOverrideCursor(); }
    BusyCursorGuard(const BusyCursorGuard&) = delete;
    BusyCursorGuard& operator=(const BusyCursorGuard&) = delete;
};

} // namespace tolvanor::ui
