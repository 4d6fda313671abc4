// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include "PluginConverter.h"

#include <atomic>

/** The normalised values of the two levels, and the user's own values kept for the "Default"
    program. The audio thread reads the levels once per block while the host and the editor write
    them, so every field is an indivisible double. */
class Q742_UIParameter
{
public:
    virtual ~Q742_UIParameter() = default;

    std::atomic<double> midValue      { tervane::unityValue };
    std::atomic<double> sideValue     { tervane::unityValue };
    std::atomic<double> userMidValue  { tervane::unityValue };
    std::atomic<double> userSideValue { tervane::unityValue };
};

/** One host-visible level, Mid (index 0) or Side (index 1), reading and writing the processor's
    parameter store. The string IDs give LV2 valid port symbols; VST3 and AU keep identifying the
    levels by index. */
class JuceDemoPluginAudioProcessorParameter final : public juce::AudioProcessorParameterWithID
{
public:
    JuceDemoPluginAudioProcessorParameter (Q742_UIParameter* storeToUse, int indexToUse);

    //==============================================================================
    float getValue() const override;
    void setValue (float newValue) override;
    float getDefaultValue() const override;
    juce::String getName (int maximumStringLength) const override;
    juce::String getLabel() const override;
    float getValueForText (const juce::String& text) const override;

private:
    //==============================================================================
    std::atomic<double>* valueField() const noexcept;

    Q742_UIParameter* store;
    int32_t index;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (JuceDemoPluginAudioProcessorParameter)
};

namespace tervane
{
    enum ParameterIndex
    {
        midParameterIndex  = 0,
        sideParameterIndex = 1,
        numParameters      = 2
    };

    /** "Mid" for 0, "Side" for 1, empty for anything else. */
    juce::String parameterName (int index);
}
