// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <juce_audio_formats/juce_audio_formats.h>

#include "DecodeOptions.h"
#include "HostedDecoder.h"

#include <atomic>
#include <functional>

namespace decode
{
    /** What one decoded file came to. */
    struct Result
    {
        juce::File output;
        float peakLeft = 0.0f, peakRight = 0.0f;
        int64_t samplesBeyondFullScale = 0;
    };

    /** Streams one file block by block from disk, through the plug-in, to a temporary file beside
        the output, and puts the output in place only when everything was written. */
    class FileDecoder
    {
    public:
        FileDecoder (const Options& options, std::atomic<bool>& stopRequested);

        std::variant<Result, Failure> decode (const juce::File& input, const juce::File& output);

        /** Called with the fraction done, from 0 to 1, as the decode goes on. */
        std::function<void (double)> onProgress;

    private:
        const Options& options;
        std::atomic<bool>& stopRequested;
        juce::AudioFormatManager formats;
    };
}
