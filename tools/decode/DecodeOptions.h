// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <juce_core/juce_core.h>

#include "ExitCodes.h"

#include <optional>
#include <variant>

namespace decode
{
    /** What the command line asked for. */
    struct Options
    {
        juce::StringArray inputs;
        juce::File output;          // one input
        juce::File outputFolder;    // several inputs, --out-dir
        juce::File plugin;          // --plugin, or empty for the built VST3

        std::optional<double> midDecibels, sideDecibels;   // -infinity for silence
        juce::String program;       // a number or a name, empty for none
        int blockSize = 512;
        juce::String format;        // "wav", "aiff", "flac", or empty to keep the input's
        juce::String bits;          // "16", "24", "32", "32f", or empty to keep the input's
        bool force = false;
        bool quiet = false;
        bool help = false;
    };

    /** Reads the arguments (without the program name). */
    std::variant<Options, Failure> parseOptions (const juce::StringArray& arguments);

    /** Reads a level: "-inf", or a number of dB from -80 (silence) to +12. */
    std::optional<double> parseLevel (const juce::String& text);

    juce::String usageText();
}
