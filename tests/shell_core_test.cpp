// SPDX-License-Identifier: GPL-2.0-or-later
// The random generator, the trig tables, the main loop, the window procedure
// and the music commands.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "core/main_loop.h"
#include "core/rng.h"
#include "core/scenes.h"
#include "core/trig.h"
#include "platform/shared/frame_ticks.h"
#include "support/test_support.h"

using namespace testing_support;

TEST(Random, FirstValuesSeededOrNot) {
    freshRun();
    EXPECT_EQ(nextRandom(), 41);
    EXPECT_EQ(nextRandom(), 18467);
    EXPECT_EQ(nextRandom(), 6334);
    seedRandom(1);
    EXPECT_EQ(nextRandom(), 41);
    EXPECT_EQ(nextRandom(), 18467);
    // Every value lies in 0 to 32767.
    for (int i = 0; i < 10000; ++i) {
        const int32_t value = nextRandom();
        ASSERT_GE(value, 0);
        ASSERT_LE(value, 32767);
    }
}

TEST(Trig, TellingEntriesWithShortPi) {
    buildTrigTables();
    const int expected[][3] = {{0, 0, 1024},     {1, 17, 1023},   {30, 511, 886},  {60, 886, 512},
                               {90, 1023, 0},    {180, 0, -1023}, {270, -1023, 0}, {359, -17, 1023}};
    for (const auto& row : expected) {
        EXPECT_EQ(trig.sinTable[row[0]], row[1]) << "sin " << row[0];
        EXPECT_EQ(trig.cosTable[row[0]], row[2]) << "cos " << row[0];
    }
}

TEST(MainLoop, CountsEveryTurnAndIgnoresUnknownScenes) {
    freshStartedRun();
    loop.GameScene = 99;
    for (int i = 0; i < 5; ++i) EXPECT_EQ(mainLoopTurn(), TurnOutcome::Ran);
    EXPECT_EQ(loop.frameCounter, 5);
    EXPECT_EQ(headless::presentCount(), 0);
    loop.GameScene = -1;
    EXPECT_EQ(mainLoopTurn(), TurnOutcome::Ran);
    EXPECT_EQ(loop.frameCounter, 6);
    // A count left running for hours stops at the largest value.
    loop.frameCounter = INT32_MAX - 1;
    mainLoopTurn();
    mainLoopTurn();
    EXPECT_EQ(loop.frameCounter, INT32_MAX);
}

TEST(MainLoop, EventsAreDrainedBeforeAnySceneRuns) {
    freshStartedRun();
    loop.GameScene = 99;
    headless::pushEvent(EventKind::MusicDone, 2);
    headless::pushEvent(EventKind::MusicDone, 3);
    EXPECT_EQ(mainLoopTurn(), TurnOutcome::Ran);
    EXPECT_EQ(mainLoopTurn(), TurnOutcome::Ran);
    EXPECT_EQ(loop.frameCounter, 0);
    EXPECT_EQ(mainLoopTurn(), TurnOutcome::Ran);
    EXPECT_EQ(loop.frameCounter, 1);
}

TEST(MainLoop, EscapeShutsDownOnceAndEndsTheLoop) {
    freshStartedRun();
    loop.GameScene = 99;
    headless::pushEvent(EventKind::Escape);
    headless::pushEvent(EventKind::Escape);
    headless::pushEvent(EventKind::Close);
    EXPECT_EQ(runMainLoop(), 0);
    EXPECT_TRUE(shutdownDone());
    EXPECT_EQ(loop.frameCounter, 0);  // no scene ran after the shutdown
    // The alias is closed exactly once, even though nothing was open.
    int closes = 0;
    for (int i = 0; i < headless::musicCommandCount(); ++i) {
        if (std::strcmp(headless::musicCommand(i), "Close WAV01") == 0) ++closes;
    }
    EXPECT_EQ(closes, 1);
    EXPECT_FALSE(devices.backBuffer.held);
    EXPECT_FALSE(devices.spriteSheet.held);
}

TEST(MainLoop, WindowCloseIsHandledLikeEscape) {
    freshStartedRun();
    headless::pushEvent(EventKind::Close);
    EXPECT_EQ(mainLoopTurn(), TurnOutcome::Ran);
    EXPECT_EQ(mainLoopTurn(), TurnOutcome::Quit);
    EXPECT_TRUE(shutdownDone());
}

TEST(Music, OnlyANormalEndReplaysThePiece) {
    freshStartedRun();
    loop.GameScene = 99;
    headless::pushEvent(EventKind::MusicDone, 1);
    mainLoopTurn();
    ASSERT_EQ(headless::musicCommandCount(), 1);
    EXPECT_STREQ(headless::musicCommand(0), "Play WAV01 from 0 notify");
    // Superseded, aborted and failed notifications replay nothing.
    for (int code : {2, 4, 8}) {
        headless::pushEvent(EventKind::MusicDone, code);
        mainLoopTurn();
    }
    EXPECT_EQ(headless::musicCommandCount(), 1);
}

TEST(Music, CommandsParse) {
    MusicCommand open = parseMusicCommand("Open data/2ofus.MID Alias WAV01");
    EXPECT_EQ(open.verb, MusicVerb::Open);
    EXPECT_STREQ(open.file, "data/2ofus.MID");
    EXPECT_EQ(parseMusicCommand("Play WAV01 from 0 notify").verb, MusicVerb::Play);
    EXPECT_EQ(parseMusicCommand("Close WAV01").verb, MusicVerb::Close);
    EXPECT_EQ(parseMusicCommand("Open data/x.mid").verb, MusicVerb::Unknown);
    EXPECT_EQ(parseMusicCommand("").verb, MusicVerb::Unknown);
}

// The ticks every desktop present waits for: 60 a second without drift, and
// a stall starts them again instead of rushing frames to catch up.
TEST(FrameTicks, SixtyASecondAndAStallStartsThemAgain) {
    FrameTicks ticks;
    startFrameTicks(ticks, 1000);
    uint64_t due = 0;
    for (int frame = 0; frame < 60; ++frame) due = nextFrameTick(ticks, frameTickDue(ticks));
    EXPECT_EQ(due, 1000u + 1000000u);
    EXPECT_EQ(nextFrameTick(ticks, due + 500000), due + 500000);  // half a second late
    EXPECT_EQ(frameTickDue(ticks), due + 500000);
    EXPECT_EQ(countsToMicros(3 * 10000000ull + 5, 10000000), 3000000u);
    EXPECT_EQ(countsToMicros(uint64_t{1} << 62, 1000000000), (uint64_t{1} << 62) / 1000);
}
