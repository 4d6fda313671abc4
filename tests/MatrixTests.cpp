// SPDX-License-Identifier: GPL-3.0-or-later
#include "processor/MatrixKernel.h"
#include "processor/PluginProcessor.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>

namespace
{
    constexpr double unity = 80.0 / 92.0;

    float expectedLeft (float mid, float side, double midGain, double sideGain)
    {
        return (float) ((double) mid * midGain + (double) side * sideGain);
    }

    float expectedRight (float mid, float side, double midGain, double sideGain)
    {
        return (float) ((double) mid * midGain - (double) side * sideGain);
    }

    uint32_t bitsOf (float value)
    {
        uint32_t bits;
        std::memcpy (&bits, &value, sizeof (bits));
        return bits;
    }

    /** A processor with a little M/S material in a stereo buffer. */
    struct DecodeFixture : ::testing::Test
    {
        JuceDemoPluginAudioProcessor processor;
        juce::MidiBuffer midi;

        juce::AudioBuffer<float> makeBuffer (int numChannels, int numSamples)
        {
            juce::AudioBuffer<float> buffer (numChannels, numSamples);

            for (int channel = 0; channel < numChannels; ++channel)
                for (int i = 0; i < numSamples; ++i)
                    buffer.setSample (channel, i, 0.25f * std::sin (0.1f * (float) (i + 1) * (float) (channel + 1)));

            return buffer;
        }

        void setLevels (double mid, double side)
        {
            processor.parameters.midValue = mid;
            processor.parameters.sideValue = side;
        }
    };
}

TEST_F (DecodeFixture, decodesTheMatrixAtSeveralLevels)
{
    struct Case { double mid, side; };
    const Case cases[] = { { unity, unity }, { 1.0, unity }, { unity, 0.0 }, { 0.0, unity },
                           { 0.5, 0.75 }, { DecibelsToValue (-6.0), DecibelsToValue (6.0) } };

    for (const auto& c : cases)
    {
        JuceDemoPluginAudioProcessor fresh;
        fresh.parameters.midValue = c.mid;
        fresh.parameters.sideValue = c.side;

        auto buffer = makeBuffer (2, 300);
        const auto original = buffer;
        fresh.processBlock (buffer, midi);

        const auto gM = DecibelsToGain (ValueToDecibels (c.mid));
        const auto gS = DecibelsToGain (ValueToDecibels (c.side));

        for (int i = 0; i < buffer.getNumSamples(); ++i)
        {
            const auto m = original.getSample (0, i);
            const auto s = original.getSample (1, i);
            ASSERT_EQ (buffer.getSample (0, i), expectedLeft (m, s, gM, gS)) << "mid " << c.mid << " side " << c.side;
            ASSERT_EQ (buffer.getSample (1, i), expectedRight (m, s, gM, gS)) << "mid " << c.mid << " side " << c.side;
        }
    }
}

TEST_F (DecodeFixture, silentLevelsRemoveTheirSignalEntirely)
{
    setLevels (unity, 0.0);
    auto buffer = makeBuffer (2, 64);
    const auto original = buffer;
    processor.processBlock (buffer, midi);

    for (int i = 0; i < 64; ++i)
    {
        EXPECT_EQ (buffer.getSample (0, i), original.getSample (0, i));
        EXPECT_EQ (buffer.getSample (1, i), original.getSample (0, i));
    }

    JuceDemoPluginAudioProcessor noMid;
    noMid.parameters.midValue = 0.0;
    auto second = makeBuffer (2, 64);
    noMid.processBlock (second, midi);

    for (int i = 0; i < 64; ++i)
    {
        EXPECT_EQ (second.getSample (0, i), original.getSample (1, i));
        EXPECT_EQ (second.getSample (1, i), -original.getSample (1, i));
    }
}

TEST_F (DecodeFixture, peaksAreThoseOfTheOutputs)
{
    juce::AudioBuffer<float> buffer (2, 32);
    buffer.clear();

    for (int i = 0; i < 32; ++i)
    {
        buffer.setSample (0, i, 0.5f);
        buffer.setSample (1, i, 0.5f);
    }

    buffer.setSample (1, 7, -0.75f);   // one sample of R = 1.25, L = -0.25
    processor.processBlock (buffer, midi);

    EXPECT_EQ (processor.outputPeakL.load(), 1.0f);
    EXPECT_EQ (processor.outputPeakR.load(), 1.25f);
}

TEST_F (DecodeFixture, monoBufferIsLeftAloneAndPublishesNothing)
{
    processor.outputPeakL = 0.3f;
    processor.outputPeakR = 0.4f;
    processor.lastBlockTimeMs = 1234;

    auto buffer = makeBuffer (1, 128);
    const auto original = buffer;
    processor.processBlock (buffer, midi);

    for (int i = 0; i < 128; ++i)
        EXPECT_EQ (buffer.getSample (0, i), original.getSample (0, i));

    EXPECT_EQ (processor.outputPeakL.load(), 0.3f);
    EXPECT_EQ (processor.outputPeakR.load(), 0.4f);
    EXPECT_EQ (processor.lastBlockTimeMs.load(), 1234);
}

TEST_F (DecodeFixture, emptyBlockStampsTheTimeAndZeroesThePeaks)
{
    processor.outputPeakL = 0.3f;
    processor.outputPeakR = 0.4f;

    juce::AudioBuffer<float> buffer (2, 0);
    const auto before = juce::Time::currentTimeMillis();
    processor.processBlock (buffer, midi);
    const auto after = juce::Time::currentTimeMillis();

    EXPECT_EQ (processor.outputPeakL.load(), 0.0f);
    EXPECT_EQ (processor.outputPeakR.load(), 0.0f);
    EXPECT_GE (processor.lastBlockTimeMs.load(), before - 1);
    EXPECT_LE (processor.lastBlockTimeMs.load(), after + 1);
}

TEST_F (DecodeFixture, extraChannelsPassThrough)
{
    auto buffer = makeBuffer (4, 100);
    const auto original = buffer;
    processor.processBlock (buffer, midi);

    for (int channel = 2; channel < 4; ++channel)
        for (int i = 0; i < 100; ++i)
            EXPECT_EQ (buffer.getSample (channel, i), original.getSample (channel, i));
}

TEST_F (DecodeFixture, levelChangeRampsAcrossTheNextBlockWithoutAStep)
{
    constexpr int n = 256;
    const auto fill = [] (juce::AudioBuffer<float>& b)
    {
        for (int i = 0; i < b.getNumSamples(); ++i)
        {
            b.setSample (0, i, 0.5f);
            b.setSample (1, i, 0.0f);
        }
    };

    juce::AudioBuffer<float> buffer (2, n);
    fill (buffer);
    processor.processBlock (buffer, midi);
    EXPECT_EQ (buffer.getSample (0, n - 1), 0.5f);

    setLevels (DecibelsToValue (-6.0), unity);
    const auto newGain = DecibelsToGain (ValueToDecibels (DecibelsToValue (-6.0)));

    fill (buffer);
    processor.processBlock (buffer, midi);

    // From the old gain at the first sample to the new one at the last, in even steps.
    EXPECT_EQ (buffer.getSample (0, 0), 0.5f);
    EXPECT_FLOAT_EQ (buffer.getSample (0, n - 1), (float) (0.5 * newGain));
    const auto evenStep = (0.5 - 0.5 * newGain) / (n - 1);

    for (int i = 1; i < n; ++i)
        ASSERT_NEAR (buffer.getSample (0, i - 1) - buffer.getSample (0, i), evenStep, 1.0e-6) << "sample " << i;

    fill (buffer);
    processor.processBlock (buffer, midi);

    for (int i = 0; i < n; ++i)
        ASSERT_EQ (buffer.getSample (0, i), (float) (0.5 * newGain));
}

TEST_F (DecodeFixture, oneSampleBlockKeepsThePreviousGainThenSettles)
{
    juce::AudioBuffer<float> buffer (2, 1);
    buffer.setSample (0, 0, 0.5f);
    buffer.setSample (1, 0, 0.0f);
    processor.processBlock (buffer, midi);

    setLevels (0.0, unity);
    buffer.setSample (0, 0, 0.5f);
    buffer.setSample (1, 0, 0.0f);
    processor.processBlock (buffer, midi);
    EXPECT_EQ (buffer.getSample (0, 0), 0.5f);

    buffer.setSample (0, 0, 0.5f);
    buffer.setSample (1, 0, 0.0f);
    processor.processBlock (buffer, midi);
    EXPECT_EQ (buffer.getSample (0, 0), 0.0f);
}

//==============================================================================
namespace
{
    /** Random samples with the values that break careless vector code mixed in. */
    std::vector<float> awkwardSamples (std::mt19937& random, int count)
    {
        std::uniform_real_distribution<float> uniform (-2.0f, 2.0f);
        std::uniform_int_distribution<int> pick (0, 15);
        const float specials[] = { std::numeric_limits<float>::denorm_min(), -std::numeric_limits<float>::denorm_min(),
                                   1.0e-40f, -3.0e-39f, std::numeric_limits<float>::infinity(),
                                   -std::numeric_limits<float>::infinity(), std::numeric_limits<float>::quiet_NaN(),
                                   -0.0f, std::numeric_limits<float>::max(), 0.0f };
        std::vector<float> samples ((size_t) count);

        for (auto& s : samples)
        {
            const auto choice = pick (random);
            s = choice < (int) std::size (specials) ? specials[choice] : uniform (random);
        }

        return samples;
    }

    // Identical bits, except that any NaN matches any NaN: the language leaves the sign and payload
    // of a NaN result to the compiler, which may swap the operands of a sum.
    void expectSameBits (const std::vector<float>& fast, const std::vector<float>& reference, const char* what, int n)
    {
        for (size_t i = 0; i < fast.size(); ++i)
        {
            if (std::isnan (reference[i]))
                ASSERT_TRUE (std::isnan (fast[i])) << what << ", block " << n << ", sample " << i;
            else
                ASSERT_EQ (bitsOf (fast[i]), bitsOf (reference[i])) << what << ", block " << n << ", sample " << i;
        }
    }
}

TEST (MatrixKernel, fastPathsMatchTheDefinitionBitForBit)
{
    std::mt19937 random (20261211);
    const double gainPairs[][4] = { { 1.0, 1.0, 1.0, 1.0 },
                                    { 0.0, 0.0, 3.981071705534972, 3.981071705534972 },
                                    { 0.5011872336272722, 1.0, 1.9952623149688795, 0.125 },
                                    { 1.0e-4, 2.0, 0.0, 0.7 } };

    for (int n = 1; n <= 67; ++n)
    {
        for (const auto& g : gainPairs)
        {
            auto mid = awkwardSamples (random, n);
            auto side = awkwardSamples (random, n);
            auto fastMid = mid, fastSide = side;

            const auto fast = tervane::decodeConstantGain (fastMid.data(), fastSide.data(), n, g[0], g[2]);
            const auto reference = tervane::decodeConstantGainReference (mid.data(), side.data(), n, g[0], g[2]);
            expectSameBits (fastMid, mid, "constant left", n);
            expectSameBits (fastSide, side, "constant right", n);
            ASSERT_EQ (bitsOf (fast.left), bitsOf (reference.left)) << n;
            ASSERT_EQ (bitsOf (fast.right), bitsOf (reference.right)) << n;

            mid = awkwardSamples (random, n);
            side = awkwardSamples (random, n);
            fastMid = mid;
            fastSide = side;

            const auto fastRamp = tervane::decodeGainRamp (fastMid.data(), fastSide.data(), n, g[0], g[1], g[2], g[3]);
            const auto referenceRamp = tervane::decodeGainRampReference (mid.data(), side.data(), n, g[0], g[1], g[2], g[3]);
            expectSameBits (fastMid, mid, "ramp left", n);
            expectSameBits (fastSide, side, "ramp right", n);
            ASSERT_EQ (bitsOf (fastRamp.left), bitsOf (referenceRamp.left)) << n;
            ASSERT_EQ (bitsOf (fastRamp.right), bitsOf (referenceRamp.right)) << n;
        }
    }

    std::cout << "vector path in use: " << (tervane::matrixUsesWideVectors() ? "AVX2" : "none") << std::endl;
}

TEST (MatrixKernel, referenceIsTheWrittenDefinition)
{
    float mid[] = { 0.1f, -0.7f, 1.0e-40f, 3.0f };
    float side[] = { 0.3f, 0.2f, 0.0f, -1.0f };
    const float m0[] = { 0.1f, -0.7f, 1.0e-40f, 3.0f };
    const float s0[] = { 0.3f, 0.2f, 0.0f, -1.0f };
    const auto peaks = tervane::decodeConstantGainReference (mid, side, 4, 0.9, 1.7);

    float peakL = 0.0f, peakR = 0.0f;

    for (int i = 0; i < 4; ++i)
    {
        EXPECT_EQ (mid[i], expectedLeft (m0[i], s0[i], 0.9, 1.7));
        EXPECT_EQ (side[i], expectedRight (m0[i], s0[i], 0.9, 1.7));
        peakL = std::max (peakL, std::abs (mid[i]));
        peakR = std::max (peakR, std::abs (side[i]));
    }

    EXPECT_EQ (peaks.left, peakL);
    EXPECT_EQ (peaks.right, peakR);
}
