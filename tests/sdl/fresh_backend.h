#pragma once
// Every test of the Linux backend starts from a fresh backend and ends it, so
// no test sees what another left behind, whatever order they run in.

#include <gtest/gtest.h>

#include "platform/sdl/backend.h"

namespace orvane::sdl {

class FreshBackend : public ::testing::Test {
protected:
    void SetUp() override { start(); }
    void TearDown() override { end(); }
};

}  // namespace orvane::sdl
