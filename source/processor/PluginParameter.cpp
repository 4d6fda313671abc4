// SPDX-License-Identifier: GPL-3.0-or-later
#include "PluginParameter.h"

juce::String tervane::parameterName (int index)
{
    switch (index)
    {
        case midParameterIndex:  return "Mid";
        case sideParameterIndex: return "Side";
        default:                 return {};
    }
}

//==============================================================================
JuceDemoPluginAudioProcessorParameter::JuceDemoPluginAudioProcessorParameter (Q742_UIParameter* storeToUse,
                                                                              int indexToUse)
    : juce::AudioProcessorParameterWithID (juce::ParameterID { tervane::parameterName (indexToUse), 1 },
                                           tervane::parameterName (indexToUse)),
      store (storeToUse),
      index (indexToUse)
{
}

std::atomic<double>* JuceDemoPluginAudioProcessorParameter::valueField() const noexcept
{
    switch (index)
    {
        case tervane::midParameterIndex:  return &store->midValue;
        case tervane::sideParameterIndex: return &store->sideValue;
        default:                          return nullptr;
    }
}

float JuceDemoPluginAudioProcessorParameter::getValue() const
{
    if (auto* field = valueField())
        return (float) field->load (std::memory_order_relaxed);

    return 0.0f;
}

void JuceDemoPluginAudioProcessorParameter::setValue (float newValue)
{
    if (auto* field = valueField())
        field->store ((double) newValue, std::memory_order_relaxed);
}

float JuceDemoPluginAudioProcessorParameter::getDefaultValue() const
{
    switch (index)
    {
        case tervane::midParameterIndex:  return (float) store->userMidValue.load (std::memory_order_relaxed);
        case tervane::sideParameterIndex: return (float) store->userSideValue.load (std::memory_order_relaxed);
        default:                          return 0.0f;
    }
}

juce::String JuceDemoPluginAudioProcessorParameter::getName (int) const
{
    // Hosts that pass a short maximum still get the whole name.
    return tervane::parameterName (index);
}

juce::String JuceDemoPluginAudioProcessorParameter::getLabel() const
{
    return {};
}

float JuceDemoPluginAudioProcessorParameter::getValueForText (const juce::String&) const
{
    return 0.0f;
}
