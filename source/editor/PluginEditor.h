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

private:
    //==============================================================================
    JuceDemoPluginAudioProcessor& processor;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (JuceDemoPluginAudioProcessorEditor)
};
