// SPDX-License-Identifier: GPL-3.0-or-later
#include "processor/PluginProcessor.h"

#include <gtest/gtest.h>

JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE ("-Wdeprecated-declarations")

TEST (GainScale, mapsValuesToDecibelsAndGains)
{
    struct Case { double value, decibels, gain; };
    const Case cases[] = {
        { 0.0,         -80.0, 0.0 },
        { 80.0 / 92.0,   0.0, 1.0 },
        { 1.0,          12.0, 3.9810717055349722 },
        { 74.0 / 92.0,  -6.0, 0.5011872336272722 },
        { -0.5,       -126.0, 0.0 },   // below the floor is silence too
    };

    for (const auto& c : cases)
    {
        EXPECT_NEAR (ValueToDecibels (c.value), c.decibels, 1.0e-12) << c.value;
        EXPECT_NEAR (DecibelsToValue (c.decibels), c.value, 1.0e-12) << c.value;
        EXPECT_NEAR (DecibelsToGain (c.decibels), c.gain, 1.0e-12) << c.value;
    }

    EXPECT_EQ (DecibelsToGain (-80.0), 0.0);
    EXPECT_NEAR (DecibelsToGain (-79.999999), 1.0e-4, 1.0e-9);
}

TEST (Parameters, hostSeesExactlyMidThenSideAtZeroDecibels)
{
    JuceDemoPluginAudioProcessor processor;
    const auto& params = processor.getParameters();
    ASSERT_EQ (params.size(), 2);
    EXPECT_EQ (processor.getNumParameters(), 2);

    const char* names[] = { "Mid", "Side" };

    for (int i = 0; i < 2; ++i)
    {
        auto* p = params[i];
        EXPECT_EQ (p->getName (100), names[i]);
        EXPECT_EQ (p->getName (3), names[i]) << "the name is never shortened";
        EXPECT_EQ (p->getLabel(), "");
        EXPECT_FLOAT_EQ (p->getValue(), 0.8695652f);
        EXPECT_FLOAT_EQ (p->getDefaultValue(), 0.8695652f);
        EXPECT_EQ (p->getText (p->getValue(), 1024), "0.87");
        EXPECT_EQ (p->getValueForText ("6.0"), 0.0f);
        EXPECT_TRUE (p->isAutomatable());
        EXPECT_FALSE (p->isDiscrete());
        EXPECT_FALSE (p->isBoolean());
        EXPECT_FALSE (p->isMetaParameter());
        EXPECT_EQ (dynamic_cast<juce::AudioProcessorParameterWithID*> (p)->getParameterID(), names[i]);
        EXPECT_EQ (processor.getParameterName (i), names[i]);
        EXPECT_EQ (processor.getParameterText (i), "0.87");
    }
}

TEST (Parameters, setValueStoresTheFloatAndReachesTheGain)
{
    JuceDemoPluginAudioProcessor processor;
    processor.getSideParameter().setValue (1.0f);
    EXPECT_EQ (processor.parameters.sideValue.load(), 1.0);
    EXPECT_NEAR (DecibelsToGain (ValueToDecibels (processor.parameters.sideValue)), 3.981, 1.0e-3);

    processor.getMidParameter().setValue (0.3f);
    EXPECT_EQ (processor.parameters.midValue.load(), (double) 0.3f);
    EXPECT_EQ (processor.getParameter (0), 0.3f);
}

TEST (Parameters, indexBasedInterfaceIgnoresUnknownIndices)
{
    JuceDemoPluginAudioProcessor processor;
    processor.setParameter (1, 0.25f);
    EXPECT_EQ (processor.parameters.sideValue.load(), 0.25);
    EXPECT_EQ (processor.getParameterText (1), "0.25");

    processor.setParameter (2, 0.5f);
    processor.setParameter (-1, 0.5f);
    EXPECT_EQ (processor.getParameter (2), 0.0f);
    EXPECT_EQ (processor.getParameterName (2), "");
    EXPECT_EQ (processor.parameters.midValue.load(), 80.0 / 92.0);
    EXPECT_EQ (processor.parameters.sideValue.load(), 0.25);

    JuceDemoPluginAudioProcessorParameter stray (&processor.parameters, 5);
    stray.setValue (0.1f);
    EXPECT_EQ (stray.getValue(), 0.0f);
    EXPECT_EQ (stray.getDefaultValue(), 0.0f);
    EXPECT_EQ (stray.getName (10), "");
    EXPECT_EQ (processor.parameters.midValue.load(), 80.0 / 92.0);
}

TEST (Processor, presentsItselfAsAStereoEffect)
{
    JuceDemoPluginAudioProcessor processor;
    EXPECT_EQ (processor.getName(), "ORVA Tervane 64bit");
    EXPECT_FALSE (processor.acceptsMidi());
    EXPECT_FALSE (processor.producesMidi());
    EXPECT_TRUE (processor.hasEditor());
    EXPECT_EQ (processor.getTailLengthSeconds(), 0.0);
    EXPECT_EQ (processor.getLatencySamples(), 0);
    EXPECT_EQ (processor.getTotalNumInputChannels(), 2);
    EXPECT_EQ (processor.getTotalNumOutputChannels(), 2);
    EXPECT_EQ (processor.getBus (true, 0)->getName(), "Input");
    EXPECT_EQ (processor.getBus (false, 0)->getName(), "Output");
    EXPECT_EQ (processor.getInputChannelName (0), "1");
    EXPECT_EQ (processor.getOutputChannelName (1), "2");
    EXPECT_TRUE (processor.isInputChannelStereoPair (5));
    EXPECT_TRUE (processor.isOutputChannelStereoPair (0));
}

TEST (Processor, editorOpensAtTheStoredSizeAndIsRemembered)
{
    JuceDemoPluginAudioProcessor processor;
    processor.uiWidth = 500;
    processor.uiHeight = 400;
    EXPECT_FALSE (processor.editorCreated.load());

    std::unique_ptr<juce::AudioProcessorEditor> editor (processor.createEditor());
    ASSERT_NE (editor, nullptr);
    EXPECT_EQ (editor->getWidth(), 500);
    EXPECT_EQ (editor->getHeight(), 400);
    EXPECT_TRUE (processor.editorCreated.load());

    editor.reset();
    EXPECT_TRUE (processor.editorCreated.load()) << "never cleared";
}

JUCE_END_IGNORE_WARNINGS_GCC_LIKE
