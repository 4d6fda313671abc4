// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include "ExitCodes.h"

#include <memory>
#include <optional>
#include <variant>

namespace decode
{
    /** The plug-in, loaded through JUCE's hosting exactly as a DAW loads it, set to the levels of
        one decode and ready to process blocks in place. */
    class HostedDecoder
    {
    public:
        struct Settings
        {
            juce::File bundle;
            double sampleRate = 48000.0;
            int blockSize = 512;
            juce::String program;
            std::optional<double> midDecibels, sideDecibels;
        };

        static std::variant<std::unique_ptr<HostedDecoder>, Failure> load (const Settings& settings);

        /** The bundle used when no --plugin is given: the one built with this tool, else the installed one. */
        static juce::File defaultBundle();

        ~HostedDecoder();

        /** Decodes one block of at most the prepared block size in place. */
        void process (juce::AudioBuffer<float>& block);

    private:
        HostedDecoder (std::unique_ptr<juce::AudioPluginFormatManager>, std::unique_ptr<juce::AudioPluginInstance>);

        std::optional<Failure> configure (const Settings& settings);
        void primeWithSilence();
        bool decodesAt (double midValue, double sideValue);

        std::unique_ptr<juce::AudioPluginFormatManager> formats;
        std::unique_ptr<juce::AudioPluginInstance> plugin;
        juce::MidiBuffer midi;
        juce::AudioBuffer<float> silence;
    };
}
