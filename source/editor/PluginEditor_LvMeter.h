// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <array>

/** Linear thresholds of the 17 LEDs, -48 dBFS to 0 dBFS in 3 dB steps. These exact floats are the
    meter's calibration; a few differ in the last bit from the rounded formula. */
extern const std::array<float, 17> Q740_DB_TABLE;

/** An LED peak meter: a column of LEDs lit from the bottom. It rises at once and falls one LED
    per update. */
class LevelMeter : public juce::Component
{
public:
    ~LevelMeter() override;

    //==============================================================================
    void paint (juce::Graphics& g) override;

    //==============================================================================
    virtual void paintLvMeter (juce::Graphics& g);

    /** The number of LEDs that a linear peak lights. */
    int32_t levelIndex (float value) const;

    void setLevel (float value);

    //==============================================================================
    int32_t litCount = 0;
    int32_t ledCount = 0;
    float level = 0.0f;
    juce::Array<float> thresholds;
    /** The editor's LED images; not owned. */
    const juce::Array<juce::Image>* ledImages = nullptr;

protected:
    LevelMeter() = default;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (LevelMeter)
};

//==============================================================================
/** The output meter: 17 LEDs, 14 green, 2 yellow and a red one at full scale. */
class LevelMeter_Q740 final : public LevelMeter
{
public:
    LevelMeter_Q740();

    void paintLvMeter (juce::Graphics& g) override;

    /** Top of each LED's image in the meter, from the bottom LED up. */
    static const std::array<int, 17> rowOffsets;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (LevelMeter_Q740)
};
