// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include "processor/PluginProcessor.h"

/** The plug-in's window, at the size the processor keeps. */
class JuceDemoPluginAudioProcessorEditor final : public juce::AudioProcessorEditor
{
public:
    explicit JuceDemoPluginAudioProcessorEditor (JuceDemoPluginAudioProcessor& owner);
    ~JuceDemoPluginAudioProcessorEditor() override;

    //==============================================================================
    void paint (juce::Graphics& g) override;
    void resized() override;

    //==============================================================================
    /** The entry-box form of a level: two decimals, "+" on positive levels unless noSign,
        "0.00" around zero, "+12.00" above the ceiling and "-inf." at the floor. positive says
        which side of zero the level is taken to be on. */
    static void FormatTextFromDecibel (juce::String& out, float dB, bool positive, bool noSign);

    /** Validates typed text and brings it into display form, returning its level (not clamped).
        Text that is not a level is replaced by lastText and gives lastDb. */
    static float CheckFaderTextFormat (juce::String& text, juce::String& lastText, float lastDb);

private:
    //==============================================================================
    JuceDemoPluginAudioProcessor& processor;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (JuceDemoPluginAudioProcessorEditor)
};
