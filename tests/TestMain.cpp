// SPDX-License-Identifier: GPL-3.0-or-later
#include <juce_events/juce_events.h>

#include <gtest/gtest.h>

int main (int argc, char** argv)
{
    ::testing::InitGoogleTest (&argc, argv);

    // Plug-in hosting and parameter notifications expect JUCE's message thread to be this one.
    const juce::ScopedJuceInitialiser_GUI juce;
    return RUN_ALL_TESTS();
}
