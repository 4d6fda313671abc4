// SPDX-License-Identifier: GPL-3.0-or-later
#include "PluginEditor.h"

#include "processor/WallClock.h"

const std::array<float, 17> Q740_DB_TABLE {
    0.003981072f, 0.005623413f, 0.007943282f, 0.011220185f, 0.015848933f, 0.02238721f,
    0.03162278f,  0.044668358f, 0.06309573f,  0.0891251f,   0.12589253f,  0.17782794f,
    0.25118864f,  0.3548134f,   0.5011872f,   0.70794576f,  1.0f
};

const std::array<int, 17> LevelMeter_Q740::rowOffsets {
    165, 154, 144, 134, 124, 113, 103, 93, 82, 72, 62, 52, 41, 31, 21, 10, 0
};

namespace
{
    // Indices into the editor's LED images.
    enum LedImage
    {
        greenLit, greenUnlit, redLit, redUnlit, yellowLit, yellowUnlit
    };

    constexpr int64_t idleAfterMs = 500;

    LedImage ledImage (int led, bool lit)
    {
        if (led < 14)
            return lit ? greenLit : greenUnlit;

        if (led < 16)
            return lit ? yellowLit : yellowUnlit;

        return lit ? redLit : redUnlit;
    }
}

//==============================================================================
LevelMeter::~LevelMeter() = default;

void LevelMeter::paint (juce::Graphics& g)
{
    paintLvMeter (g);
}

void LevelMeter::paintLvMeter (juce::Graphics&) {}

int32_t LevelMeter::levelIndex (float value) const
{
    for (int i = 0; i < ledCount && i < thresholds.size(); ++i)
        if (thresholds.getUnchecked (i) > value)
            return i;

    return ledCount;
}

void LevelMeter::setLevel (float value)
{
    level = value;
    const auto index = levelIndex (value);

    // Rises at once, falls one LED at a time.
    if (index >= litCount)
        litCount = index;
    else
        --litCount;
}

//==============================================================================
LevelMeter_Q740::LevelMeter_Q740()
{
    ledCount = (int32_t) Q740_DB_TABLE.size();

    for (const auto threshold : Q740_DB_TABLE)
        thresholds.add (threshold);
}

void LevelMeter_Q740::paintLvMeter (juce::Graphics& g)
{
    if (ledImages == nullptr)
        return;

    for (int i = 0; i < ledCount; ++i)
    {
        const auto& image = (*ledImages)[ledImage (i, i < litCount)];

        if (image.isValid())
            g.drawImageAt (image, 0, rowOffsets[(size_t) i]);
    }
}

//==============================================================================
void JuceDemoPluginAudioProcessorEditor::UpdateLvMeters()
{
    const auto elapsed = tervane::wallClockMilliseconds() - audioProcessor.lastBlockTimeMs.load (std::memory_order_relaxed);

    // With no audio arriving, the published peaks themselves fall one LED per tick.
    if (elapsed > idleAfterMs)
    {
        for (auto [meter, peak] : { std::pair { &outputMeterL, &audioProcessor.outputPeakL },
                                    std::pair { &outputMeterR, &audioProcessor.outputPeakR } })
        {
            const auto index = meter->levelIndex (peak->load (std::memory_order_relaxed));

            if (index > 0)
                peak->store (Q740_DB_TABLE[(size_t) index - 1] - 0.001f, std::memory_order_relaxed);
        }
    }

    outputMeterL.setLevel (audioProcessor.outputPeakL.load (std::memory_order_relaxed));
    outputMeterR.setLevel (audioProcessor.outputPeakR.load (std::memory_order_relaxed));

    outputMeterL.repaint();
    outputMeterR.repaint();
    repaint();
}
