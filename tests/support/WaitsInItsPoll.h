// The check that a job waits for a lock: it sleeps in the poll of a lock wait,
// held there by the closed sleep gate.
#pragma once

#include "Job.h"

#include <gtest/gtest.h>

#include <cstddef>

namespace Tolvik::Testing {

// Waits until `count` threads sleep in the poll of a lock wait, at least one
// of them `job`'s; fails at once, and says so, when `job` finishes instead.
::testing::AssertionResult waitsInItsPoll (const Job& job, size_t count = 1);

} // Tolvik::Testing
