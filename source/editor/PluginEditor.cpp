// SPDX-License-Identifier: GPL-3.0-or-later
#include "PluginEditor.h"

#include "processor/EditorFactory.h"

JuceDemoPluginAudioProcessorEditor::JuceDemoPluginAudioProcessorEditor (JuceDemoPluginAudioProcessor& owner)
    : juce::AudioProcessorEditor (owner),
      processor (owner)
{
    setSize (processor.uiWidth.load (std::memory_order_relaxed),
             processor.uiHeight.load (std::memory_order_relaxed));
}

JuceDemoPluginAudioProcessorEditor::~JuceDemoPluginAudioProcessorEditor() = default;

void JuceDemoPluginAudioProcessorEditor::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colour (0xff1c1d20));
}

void JuceDemoPluginAudioProcessorEditor::resized()
{
    processor.uiWidth.store (getWidth(), std::memory_order_relaxed);
    processor.uiHeight.store (getHeight(), std::memory_order_relaxed);
}

juce::AudioProcessorEditor* createTervaneEditor (JuceDemoPluginAudioProcessor& processor)
{
    return new JuceDemoPluginAudioProcessorEditor (processor);
}
