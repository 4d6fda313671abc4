// SPDX-License-Identifier: GPL-3.0-or-later
#include "PluginProcessor.h"

#include "MatrixKernel.h"
#include "WallClock.h"

void JuceDemoPluginAudioProcessor::processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer&)
{
    if (buffer.getNumChannels() < 2)
        return;

    constexpr auto relaxed = std::memory_order_relaxed;
    const auto numSamples = buffer.getNumSamples();

    lastBlockTimeMs.store (tervane::wallClockMilliseconds(), relaxed);

    // Read once: an edit made while this block runs belongs to the next one.
    const auto midGain = DecibelsToGain (ValueToDecibels (parameters.midValue.load (relaxed)));
    const auto sideGain = DecibelsToGain (ValueToDecibels (parameters.sideValue.load (relaxed)));

    auto* midThenLeft = buffer.getWritePointer (0);
    auto* sideThenRight = buffer.getWritePointer (1);

    // A change of level is spread over the block as a linear ramp from the previous block's gain,
    // so automation does not zipper.
    const auto startMidGain = hasLastGains ? lastMidGain : midGain;
    const auto startSideGain = hasLastGains ? lastSideGain : sideGain;

    const auto peaks = (startMidGain == midGain && startSideGain == sideGain)
                           ? tervane::decodeConstantGain (midThenLeft, sideThenRight, numSamples, midGain, sideGain)
                           : tervane::decodeGainRamp (midThenLeft, sideThenRight, numSamples,
                                                      startMidGain, midGain, startSideGain, sideGain);

    const auto lastOutputChannel = juce::jmin (getTotalNumOutputChannels(), buffer.getNumChannels());

    for (auto channel = getTotalNumInputChannels(); channel < lastOutputChannel; ++channel)
        buffer.clear (channel, 0, numSamples);

    outputPeakL.store (peaks.left, relaxed);
    outputPeakR.store (peaks.right, relaxed);

    lastMidGain = midGain;
    lastSideGain = sideGain;
    hasLastGains = true;
}
