// SPDX-License-Identifier: GPL-3.0-or-later
// Renders the editor to a PNG with the software renderer, as it looks for the given levels and
// output peaks once its refresh timer has caught up.
//
// tervane-render-editor OUTPUT.png [--mid DB] [--side DB] [--peaks LEFT RIGHT]

#include "editor/PluginEditor.h"
#include "processor/WallClock.h"

#include <cstdio>

namespace
{
    int usage()
    {
        std::fprintf (stderr, "usage: tervane-render-editor OUTPUT.png [--mid DB] [--side DB] [--peaks LEFT RIGHT]\n");
        return 2;
    }
}

int main (int argc, char* argv[])
{
    if (argc < 2)
        return usage();

    const juce::ScopedJuceInitialiser_GUI juce;
    const auto output = juce::File::getCurrentWorkingDirectory().getChildFile (argv[1]);
    auto midDb = 0.0;
    auto sideDb = 0.0;
    auto peakL = 0.0f;
    auto peakR = 0.0f;

    for (int i = 2; i < argc; ++i)
    {
        const juce::String option (argv[i]);

        if (option == "--mid" && i + 1 < argc)
            midDb = juce::String (argv[++i]).getDoubleValue();
        else if (option == "--side" && i + 1 < argc)
            sideDb = juce::String (argv[++i]).getDoubleValue();
        else if (option == "--peaks" && i + 2 < argc)
        {
            peakL = juce::String (argv[++i]).getFloatValue();
            peakR = juce::String (argv[++i]).getFloatValue();
        }
        else
            return usage();
    }

    JuceDemoPluginAudioProcessor processor;
    processor.parameters.midValue.store (DecibelsToValue (midDb));
    processor.parameters.sideValue.store (DecibelsToValue (sideDb));
    processor.outputPeakL.store (peakL);
    processor.outputPeakR.store (peakR);
    processor.lastBlockTimeMs.store (tervane::wallClockMilliseconds());

    std::unique_ptr<juce::AudioProcessorEditor> editor (processor.createEditor());
    auto& tervaneEditor = dynamic_cast<JuceDemoPluginAudioProcessorEditor&> (*editor);
    tervaneEditor.timerCallback();

    const auto image = editor->createComponentSnapshot (editor->getLocalBounds(), true, 1.0f);
    editor.reset();

    output.deleteFile();
    juce::FileOutputStream stream (output);
    juce::PNGImageFormat png;

    if (! stream.openedOk() || ! png.writeImageToStream (image, stream))
    {
        std::fprintf (stderr, "tervane-render-editor: cannot write %s\n", argv[1]);
        return 1;
    }

    return 0;
}
