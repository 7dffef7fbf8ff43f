// SPDX-License-Identifier: GPL-3.0-or-later
// Every line and shot command of the editor, for the window that wires its
// buttons and menu items to them.
#pragma once

#include "editor/commands/DeleteLines.h"
#include "editor/commands/DeleteOverlap.h"
#include "editor/commands/DeleteShot.h"
#include "editor/commands/GenSounderData.h"
#include "editor/commands/InterpolateElevation.h"
#include "editor/commands/MergeLines.h"
#include "editor/commands/Normalize.h"
#include "editor/commands/ResetIgnore.h"
#include "editor/commands/ThinData.h"
#include "editor/commands/ToggleIgnore.h"
