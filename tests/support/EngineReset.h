#pragma once

#include <gtest/gtest.h>

namespace vltest {

// Puts the engine context back into its state at start-up, as far as a
// test can change it: view and build state, stop flag, limits, deadline,
// script variables, hook list, the host's services and windows, the printer
// and the installed add-in classes. The test programs run it after every
// test, so tests pass in any order.
void ResetEngine();

// Runs ResetEngine after every test.
class EngineResetListener : public ::testing::EmptyTestEventListener {
    void OnTestEnd(const ::testing::TestInfo&) override { ResetEngine(); }
};

} // namespace vltest
