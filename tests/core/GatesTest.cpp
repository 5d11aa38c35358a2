// The gates of the tracking tick: computations hold them closed and give back what they found.

#include "common/gates.h"

#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>

namespace {

TEST(TickGate, IsClosedUntilItsOwnerEnablesIt)
{
    TickGate gate;
    EXPECT_FALSE(gate);
    gate.setEnabled(true);
    EXPECT_TRUE(gate);
    EXPECT_FALSE(pflgCentrale) << "the program's gates stay closed until start-up opens them";
    EXPECT_FALSE(pflgSatellite);
}

TEST(TickGate, NestedComputationsDoNotReopenTheTickEarly)
{
    TickGate gate;
    gate.setEnabled(true);
    {
        TickPause passSearch(gate);
        {
            TickPause mapRedraw(gate);
            {
                TickPause databaseLoad(gate);
                EXPECT_EQ(gate.holdCount(), 3);
            }
            EXPECT_FALSE(gate) << "two computations still running";
        }
        EXPECT_FALSE(gate) << "the outer computation still running";
    }
    EXPECT_TRUE(gate);
    EXPECT_EQ(gate.holdCount(), 0);
}

TEST(TickGate, StoppedClockStaysStoppedWhenAComputationEnds)
{
    TickGate clock;
    clock.setEnabled(false); // the time window's Stop
    {
        TickPause listing(clock);
    }
    EXPECT_FALSE(clock);

    clock.setEnabled(true);
    {
        TickPause passSearch(clock);
        clock.setEnabled(false); // Stop pressed while the search yields
    }
    EXPECT_FALSE(clock);
    EXPECT_FALSE(clock.isEnabled());
}

TEST(TickGate, ClockStartedDuringAComputationRunsOnlyOnceItEnds)
{
    TickGate clock;
    std::optional<TickPause> drag; // held across events, like a mouse drag on a chart
    drag.emplace(clock);
    clock.setEnabled(true); // Play pressed meanwhile
    EXPECT_FALSE(clock);
    drag.reset();
    EXPECT_TRUE(clock);
}

TEST(TickGate, ComputationEndingByExceptionGivesTheGateBack)
{
    TickGate gate;
    gate.setEnabled(true);
    const auto failingComputation = [&gate] {
        TickPause pause(gate);
        throw std::runtime_error("unreadable record");
    };
    EXPECT_THROW(failingComputation(), std::runtime_error);
    EXPECT_TRUE(gate);
}

} // namespace
