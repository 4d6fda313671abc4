// SPDX-License-Identifier: GPL-3.0-or-later
#include "PluginProcessor.h"

namespace
{
    struct Program
    {
        const char* name;
        double sideDecibels;   // Mid stays at 0 dB in every factory program
    };

    // Index 0 is the user's own setting; its levels come from the remembered user values.
    constexpr Program programs[] =
    {
        { "Default",   0.0 },
        { "Mono",      tervane::silenceDecibels },
        { "30 deg.",  -18.0 },
        { "60 deg.",  -12.0 },
        { "90 deg.",   -6.0 },
        { "120 deg.",   0.0 },
        { "150 deg.",   6.0 },
    };

    constexpr int numPrograms = (int) std::size (programs);
    constexpr auto relaxed = std::memory_order_relaxed;
}

int JuceDemoPluginAudioProcessor::getNumPrograms()
{
    return numPrograms;
}

int JuceDemoPluginAudioProcessor::getCurrentProgram()
{
    return currentProgram.load (relaxed);
}

const juce::String JuceDemoPluginAudioProcessor::getProgramName (int index)
{
    if (juce::isPositiveAndBelow (index, numPrograms))
        return programs[index].name;

    return {};
}

void JuceDemoPluginAudioProcessor::changeProgramName (int index, const juce::String&)
{
    // Program names are fixed; the host's choice of program is kept all the same.
    currentProgram.store (index, relaxed);
}

void JuceDemoPluginAudioProcessor::setCurrentProgram (int index)
{
    double targetMid = 0.0;
    double targetSideDecibels = 0.0;

    if (currentProgram.load (relaxed) == 0)
    {
        // Leaving (or re-selecting) the user's program: remember where the user was.
        parameters.userMidValue.store (parameters.midValue.load (relaxed), relaxed);
        parameters.userSideValue.store (parameters.sideValue.load (relaxed), relaxed);
    }
    else if (index == 0)
    {
        const auto userMid = parameters.userMidValue.load (relaxed);
        const auto userSide = parameters.userSideValue.load (relaxed);
        parameters.midValue.store (userMid, relaxed);
        parameters.sideValue.store (userSide, relaxed);
        currentProgram.store (0, relaxed);
        applyProgramLevels (0, userMid, ValueToDecibels (userSide));
        return;
    }

    currentProgram.store (index, relaxed);

    if (! juce::isPositiveAndBelow (index, numPrograms))
        return;

    if (index == 0)
    {
        targetMid = parameters.midValue.load (relaxed);
        targetSideDecibels = ValueToDecibels (parameters.sideValue.load (relaxed));
    }
    else
    {
        targetMid = tervane::unityValue;
        targetSideDecibels = programs[index].sideDecibels;
    }

    applyProgramLevels (index, targetMid, targetSideDecibels);
}

void JuceDemoPluginAudioProcessor::applyProgramLevels (int index, double targetMidValue, double targetSideDecibels)
{
    // After a restore, hosts re-select the saved program once before any editor is open; that
    // selection must not overwrite the levels that were just restored. GarageBand is the exception.
    // Choosing another program is the user's own pick and always applies: LV2 hosts restore the
    // state around every prepareToPlay, which would otherwise swallow the first preset chosen.
    if (! hostIsGarageBand && ! editorCreated.load (relaxed))
    {
        const auto pendingProgram = storedProgramNum.exchange (-1, relaxed);

        if (pendingProgram >= 0 && pendingProgram == index)
        {
            targetMidValue = parameters.midValue.load (relaxed);
            targetSideDecibels = ValueToDecibels (parameters.sideValue.load (relaxed));
        }
    }

    parameters.midValue.store (targetMidValue, relaxed);
    midParameter->setValueNotifyingHost ((float) targetMidValue);

    const auto sideValue = DecibelsToValue (targetSideDecibels);
    parameters.sideValue.store (sideValue, relaxed);
    sideParameter->setValueNotifyingHost ((float) sideValue);

    // A wrapper may mute these notifications while it is itself inside the host's program change
    // (JUCE's VST3 wrapper does), leaving the host showing stale levels; say them again once the
    // host's call has returned. Posting the message is safe from any thread.
    hostValueRefresher.triggerAsyncUpdate();
}

void JuceDemoPluginAudioProcessor::HostValueRefresher::handleAsyncUpdate()
{
    for (auto* parameter : { &owner.getMidParameter(), &owner.getSideParameter() })
        parameter->sendValueChangedMessageToListeners (parameter->getValue());
}
