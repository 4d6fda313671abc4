// SPDX-License-Identifier: GPL-3.0-or-later
#include "PluginProcessor.h"

#include "EditorFactory.h"

JuceDemoPluginAudioProcessor::JuceDemoPluginAudioProcessor()
    : juce::AudioProcessor (BusesProperties()
                                .withInput ("Input", juce::AudioChannelSet::stereo(), true)
                                .withOutput ("Output", juce::AudioChannelSet::stereo(), true)),
      hostIsGarageBand (juce::File::getSpecialLocation (juce::File::hostApplicationPath)
                            .getFileName()
                            .containsIgnoreCase ("GarageBand"))
{
    auto mid = std::make_unique<JuceDemoPluginAudioProcessorParameter> (&parameters, tervane::midParameterIndex);
    auto side = std::make_unique<JuceDemoPluginAudioProcessorParameter> (&parameters, tervane::sideParameterIndex);
    midParameter = mid.get();
    sideParameter = side.get();

    addParameter (mid.release());
    addParameter (side.release());
}

JuceDemoPluginAudioProcessor::~JuceDemoPluginAudioProcessor() = default;

const juce::String JuceDemoPluginAudioProcessor::getName() const
{
    return "ORVA Tervane 64bit";
}

// The decoder keeps no state that depends on the sample rate or the block size.
void JuceDemoPluginAudioProcessor::prepareToPlay (double, int) {}
void JuceDemoPluginAudioProcessor::releaseResources() {}

double JuceDemoPluginAudioProcessor::getTailLengthSeconds() const { return 0.0; }
bool JuceDemoPluginAudioProcessor::acceptsMidi() const            { return false; }
bool JuceDemoPluginAudioProcessor::producesMidi() const           { return false; }
bool JuceDemoPluginAudioProcessor::hasEditor() const              { return true; }

juce::AudioProcessorEditor* JuceDemoPluginAudioProcessor::createEditor()
{
    editorCreated.store (true, std::memory_order_relaxed);
    return createTervaneEditor (*this);
}

//==============================================================================
JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE ("-Wdeprecated-declarations")

int JuceDemoPluginAudioProcessor::getNumParameters()
{
    return tervane::numParameters;
}

const juce::String JuceDemoPluginAudioProcessor::getParameterName (int index)
{
    return tervane::parameterName (index);
}

float JuceDemoPluginAudioProcessor::getParameter (int index)
{
    switch (index)
    {
        case tervane::midParameterIndex:  return (float) parameters.midValue.load (std::memory_order_relaxed);
        case tervane::sideParameterIndex: return (float) parameters.sideValue.load (std::memory_order_relaxed);
        default:                          return 0.0f;
    }
}

const juce::String JuceDemoPluginAudioProcessor::getParameterText (int index)
{
    return juce::String (getParameter (index), 2);
}

void JuceDemoPluginAudioProcessor::setParameter (int index, float newValue)
{
    switch (index)
    {
        case tervane::midParameterIndex:  parameters.midValue.store ((double) newValue, std::memory_order_relaxed); break;
        case tervane::sideParameterIndex: parameters.sideValue.store ((double) newValue, std::memory_order_relaxed); break;
        default: break;
    }
}

const juce::String JuceDemoPluginAudioProcessor::getInputChannelName (int channelIndex) const
{
    return juce::String (channelIndex + 1);
}

const juce::String JuceDemoPluginAudioProcessor::getOutputChannelName (int channelIndex) const
{
    return juce::String (channelIndex + 1);
}

bool JuceDemoPluginAudioProcessor::isInputChannelStereoPair (int) const  { return true; }
bool JuceDemoPluginAudioProcessor::isOutputChannelStereoPair (int) const { return true; }

JUCE_END_IGNORE_WARNINGS_GCC_LIKE

//==============================================================================
// JUCE's wrappers create the plug-in through this.
juce::AudioProcessor* JUCE_CALLTYPE createPluginFilter()
{
    return new JuceDemoPluginAudioProcessor();
}
