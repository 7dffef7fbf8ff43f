// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "OutputTestSupport.h"

namespace tolvanor::testing {

// The job behind the golden files: line 12 with an ignored shot, an ignored
// line 13, line 14 with small, large and cut values, and line 15 whose shots
// are all ignored.
inline void FillSampleJob(Job& job) {
    AddLine(job, "12",
            {
                {402511.375, 161833.0, 3.4f, -30.0f, "PRO 12 B", false, 17},
                {402515.1234567, 161838.55555, 3.91f, 12.5f, "", false, 18},
                {402520.5, 161845.25, 2.46f, 45.0f, "ignored shot", true, 19},
                {402530.99999, 161850.00005, -0.5f, 130.0f, "PRO 12 W,tide", false, 20},
            });
    AddLine(job, "13", {{402600.0, 161900.0, 1.0f, 0.0f, "line ignored"}, {402601.0, 161901.0, 1.5f, 5.0f, "x"}}, true);
    AddLine(job, "14",
            {
                {0.5, -12.25, 0.04f, 0.0f, ""},
                {1234567.8, 7654321.123, -12.345f, 123.4567f, "far"},
                {402600.0, 161900.0, 1234.567f, 9876.5f, "\xe9t\xe9 \x96 bytes as read"},
            });
    AddLine(job, "15", {{1.0, 2.0, 3.0f, 4.0f, "gone", true}, {5.0, 6.0, 7.0f, 8.0f, "gone too", true}});
}

} // namespace tolvanor::testing
