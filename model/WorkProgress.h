// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

// Told how far a long piece of work has got, in steps done of total; may
// stop the work by raising ECancelled.
using TWorkProgress = std::function<void(int done, int total)>;
