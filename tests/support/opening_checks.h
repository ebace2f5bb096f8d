// What every whole opening of the panel must leave behind: nothing. Shared by the tests that open the panel
// through OpenPlugin; a failure names the caller's line.
#pragma once

#include <gtest/gtest.h>

#include <source_location>

#include "fake_host.h"
#include "fake_os.h"
#include "panel/panel.h"

namespace fake {

inline void ExpectNothingLeftBehind(std::source_location caller = std::source_location::current()) {
    ::testing::ScopedTrace trace(caller.file_name(), static_cast<int>(caller.line()), "after the opening");
    EXPECT_EQ(world().liveEvents, 0);
    EXPECT_EQ(world().liveThreads, 0);
    EXPECT_EQ(world().liveLocks, 0);
    EXPECT_EQ(host().savedAreasLive, 0);
    EXPECT_FALSE(world().infiniteWaitExpired) << "a thread was never ended";
    EXPECT_EQ(world().threadsClosedWhileRunning, 0) << "the screen was put back while a thread ran";
    EXPECT_EQ(world().inputWaitsGivenUp, 0) << "the script ran out: the panel ignored its way out";
    EXPECT_EQ(quaver::openPanel.displayActiveEvent, nullptr);
    EXPECT_EQ(quaver::openPanel.placement, nullptr);
}

}  // namespace fake
