// SPDX-License-Identifier: GPL-3.0-or-later
// The output meters: their calibration, their ballistics against the published peaks, and their
// idle fall once the host stops sending audio.
#include "EditorFixture.h"

#include "processor/WallClock.h"

#include <cmath>

namespace
{
    using tervane::testing::EditorFixture;

    class LevelMeters : public EditorFixture
    {
    protected:
        /** What the audio thread publishes for one block. */
        void block (float peakL, float peakR)
        {
            processor.outputPeakL = peakL;
            processor.outputPeakR = peakR;
            processor.lastBlockTimeMs = tervane::wallClockMilliseconds();
        }

        void hostStoppedFor (int milliseconds)
        {
            processor.lastBlockTimeMs = tervane::wallClockMilliseconds() - milliseconds;
        }

        int litL() const { return editor().outputMeterL.litCount; }
        int litR() const { return editor().outputMeterR.litCount; }
    };
}

TEST (LevelMeterCalibration, eachLedLightsFromItsThresholdUp)
{
    LevelMeter_Q740 meter;
    ASSERT_EQ (meter.ledCount, 17);

    for (int i = 0; i < 17; ++i)
    {
        const auto threshold = Q740_DB_TABLE[(size_t) i];
        EXPECT_EQ (meter.levelIndex (threshold), i + 1) << "at the threshold of LED " << i;
        EXPECT_EQ (meter.levelIndex (std::nextafter (threshold, 0.0f)), i) << "just below the threshold of LED " << i;
        EXPECT_NEAR (20.0 * std::log10 ((double) threshold), -48.0 + 3.0 * i, 1.0e-5) << "LED " << i;
    }

    EXPECT_EQ (meter.levelIndex (0.0f), 0);
    EXPECT_EQ (meter.levelIndex (0.5f), 14) << "-6.02 dBFS stays green";
    EXPECT_EQ (meter.levelIndex (3.98f), 17) << "above full scale lights everything";
}

TEST (LevelMeterCalibration, tableHoldsItsExactFloats)
{
    // The calibration as written, bit for bit.
    const float expected[] = { 0.003981072f, 0.005623413f, 0.007943282f, 0.011220185f, 0.015848933f, 0.02238721f,
                               0.03162278f, 0.044668358f, 0.06309573f, 0.0891251f, 0.12589253f, 0.17782794f,
                               0.25118864f, 0.3548134f, 0.5011872f, 0.70794576f, 1.0f };

    for (size_t i = 0; i < 17; ++i)
        EXPECT_EQ (Q740_DB_TABLE[i], expected[i]) << "entry " << i;
}

TEST_F (LevelMeters, fallOneLedPerTickAndRiseAtOnce)
{
    block (1.0f, 0.5f);
    tick();
    EXPECT_EQ (litL(), 17);
    EXPECT_EQ (litR(), 14);

    for (int expected = 16; expected >= 10; --expected)
    {
        block (0.0f, 0.0f);
        tick();
        EXPECT_EQ (litL(), expected);
    }

    block (0.3f, 0.0f);
    tick();
    EXPECT_EQ (litL(), 13) << "a loud block brings the column straight back";

    for (int i = 0; i < 20; ++i)
    {
        block (0.0f, 0.0f);
        tick();
    }

    EXPECT_EQ (litL(), 0);
    EXPECT_EQ (litR(), 0);
}

TEST_F (LevelMeters, publishedPeaksFallOnceTheHostStops)
{
    block (1.0f, 0.02f);
    tick();
    ASSERT_EQ (litL(), 17);

    hostStoppedFor (400);
    tick();
    EXPECT_EQ (litL(), 17) << "no fall within 500 ms of the last block";
    EXPECT_EQ (processor.outputPeakL.load(), 1.0f);

    hostStoppedFor (501);

    for (int expected = 16; expected >= 0; --expected)
    {
        tick();
        EXPECT_EQ (litL(), expected);
    }

    EXPECT_EQ (processor.outputPeakL.load(), 0.0029810718f);
    EXPECT_EQ (processor.outputPeakR.load(), 0.0029810718f);
    tick();
    EXPECT_EQ (processor.outputPeakL.load(), 0.0029810718f) << "it rests there";
}

TEST_F (LevelMeters, freshPluginShowsDarkMeters)
{
    ASSERT_EQ (processor.lastBlockTimeMs.load(), 0);
    tick();
    tick();
    EXPECT_EQ (litL(), 0);
    EXPECT_EQ (litR(), 0);
    EXPECT_EQ (processor.outputPeakL.load(), 0.0f);
}

TEST_F (LevelMeters, columnIsDrawnFromTheLedImages)
{
    block (0.2f, 0.0f);
    tick();
    ASSERT_EQ (litL(), 12);

    const auto image = editor().outputMeterL.createComponentSnapshot (editor().outputMeterL.getLocalBounds());
    const auto& lit = editor().ledImageList.getReference (0);
    const auto& unlit = editor().ledImageList.getReference (1);
    const auto& yellowUnlit = editor().ledImageList.getReference (5);
    const auto& redUnlit = editor().ledImageList.getReference (3);

    // LED centres: lit green at the bottom, unlit above, then yellow and red unlit.
    const auto centreOf = [] (int row) { return LevelMeter_Q740::rowOffsets[(size_t) row] + 5; };
    EXPECT_EQ (image.getPixelAt (5, centreOf (0)), lit.getPixelAt (5, 5));
    EXPECT_EQ (image.getPixelAt (5, centreOf (11)), lit.getPixelAt (5, 5));
    EXPECT_EQ (image.getPixelAt (5, centreOf (12)), unlit.getPixelAt (5, 5));
    EXPECT_EQ (image.getPixelAt (5, centreOf (15)), yellowUnlit.getPixelAt (5, 5));
    EXPECT_EQ (image.getPixelAt (5, centreOf (16)), redUnlit.getPixelAt (5, 5));
    EXPECT_NE (lit.getPixelAt (5, 5), unlit.getPixelAt (5, 5));
}

TEST_F (LevelMeters, brokenSamplesDoNotLeaveTheMetersStuck)
{
    for (const auto peak : { std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
                             std::numeric_limits<float>::denorm_min() })
    {
        // Through the real processor: what it publishes for such a block.
        juce::AudioBuffer<float> buffer (2, 64);
        buffer.clear();
        buffer.setSample (0, 10, peak);
        buffer.setSample (1, 20, -peak);
        juce::MidiBuffer midi;
        processor.processBlock (buffer, midi);
        tick();

        for (int i = 0; i < 17; ++i)
        {
            block (0.0f, 0.0f);
            tick();
        }

        EXPECT_EQ (litL(), 0) << peak;
        EXPECT_EQ (litR(), 0) << peak;

        // And with the host stopped right after such a block, the published peaks still settle.
        processor.outputPeakL = peak;
        processor.outputPeakR = peak;
        hostStoppedFor (1000);

        for (int i = 0; i < 18; ++i)
            tick();

        EXPECT_EQ (litL(), 0) << peak;
        EXPECT_TRUE (processor.outputPeakL.load() <= 0.0029810718f) << peak;
    }
}
