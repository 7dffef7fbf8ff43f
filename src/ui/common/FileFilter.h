// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace tolvanor::ui {

// A file dialog filter of the core ("Name|*.a;*.b|Name|*.*|") as Qt writes
// it ("Name (*.a *.b);;Name (*)"). A name that already ends in a pattern
// list in brackets loses it, so Qt's own list is shown once; "*.*" is every
// file, also those without an extension.
QString QtFileFilter(const QString& filter);

} // namespace tolvanor::ui
