// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

class JuceDemoPluginAudioProcessor;

/** Builds the processor's editor. Defined with the editor, so that the processor never needs
    the editor's headers. */
juce::AudioProcessorEditor* createTervaneEditor (JuceDemoPluginAudioProcessor& processor);
