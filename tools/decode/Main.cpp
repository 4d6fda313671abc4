// SPDX-License-Identifier: GPL-3.0-or-later
// tervane-decode: mid/side files to left/right through the plug-in itself.
#include "DecodeOptions.h"
#include "FileDecoder.h"

#include <juce_events/juce_events.h>

#include <csignal>
#include <cstdio>
#include <iostream>
#include <unistd.h>

namespace
{
    std::atomic<bool> stopRequested { false };

    extern "C" void requestStop (int)
    {
        stopRequested.store (true);
    }

    juce::String decibelsText (float peak)
    {
        if (peak <= 0.0f)
            return "-inf dBFS";

        return juce::String::formatted ("%+.2f dBFS", (double) juce::Decibels::gainToDecibels (peak, -1000.0f));
    }

    /** A bar on stderr, redrawn only when it changes. */
    struct ProgressBar
    {
        explicit ProgressBar (juce::String fileName) : name (std::move (fileName)) {}

        void show (double fraction)
        {
            const auto filled = (int) (fraction * width);

            if (filled == lastFilled)
                return;

            lastFilled = filled;
            std::fprintf (stderr, "\r%s [%s%s] %3d%%", name.toRawUTF8(),
                          juce::String::repeatedString ("#", filled).toRawUTF8(),
                          juce::String::repeatedString (" ", width - filled).toRawUTF8(), (int) (fraction * 100.0));
            std::fflush (stderr);
        }

        void finish()
        {
            if (lastFilled >= 0)
                std::fprintf (stderr, "\r%s\r", juce::String::repeatedString (" ", name.length() + width + 8).toRawUTF8());
        }

        static constexpr int width = 40;
        juce::String name;
        int lastFilled = -1;
    };

    int run (const decode::Options& options)
    {
        decode::FileDecoder decoder (options, stopRequested);
        const auto showProgress = ! options.quiet && isatty (STDERR_FILENO);
        int exitCode = decode::success;

        for (const auto& inputName : options.inputs)
        {
            const auto input = juce::File::getCurrentWorkingDirectory().getChildFile (inputName);
            auto output = options.output;

            if (options.outputFolder != juce::File())
            {
                auto name = input.getFileName();

                if (options.format.isNotEmpty())
                    name = input.getFileNameWithoutExtension() + "." + options.format;

                output = options.outputFolder.getChildFile (name);
            }

            ProgressBar bar (input.getFileName());

            if (showProgress)
                decoder.onProgress = [&bar] (double fraction) { bar.show (fraction); };

            const auto outcome = decoder.decode (input, output);

            if (showProgress)
                bar.finish();

            if (const auto* failure = std::get_if<decode::Failure> (&outcome))
            {
                std::cerr << "tervane-decode: " << failure->message << std::endl;

                if (exitCode == decode::success)
                    exitCode = failure->code;

                if (failure->code == decode::interrupted || failure->code == decode::pluginUnavailable)
                    break;

                continue;
            }

            if (! options.quiet)
            {
                const auto& result = std::get<decode::Result> (outcome);
                auto line = result.output.getFullPathName() + ": peak L " + decibelsText (result.peakLeft)
                          + ", R " + decibelsText (result.peakRight);

                if (result.samplesBeyondFullScale > 0)
                    line << ", " << juce::String (result.samplesBeyondFullScale) << " samples beyond full scale";

                std::cout << line << std::endl;
            }
        }

        return exitCode;
    }
}

int main (int argc, char** argv)
{
    juce::StringArray arguments;

    for (int i = 1; i < argc; ++i)
        arguments.add (juce::String::fromUTF8 (argv[i]));

    const auto parsed = decode::parseOptions (arguments);

    if (const auto* failure = std::get_if<decode::Failure> (&parsed))
    {
        std::cerr << "tervane-decode: " << failure->message << "\n\n" << decode::usageText();
        return failure->code;
    }

    const auto& options = std::get<decode::Options> (parsed);

    if (options.help)
    {
        std::cout << decode::usageText();
        return decode::success;
    }

    std::signal (SIGINT, requestStop);
    std::signal (SIGTERM, requestStop);

    // Plug-in hosting wants JUCE's message thread, which is this one.
    const juce::ScopedJuceInitialiser_GUI juce;
    return run (options);
}
