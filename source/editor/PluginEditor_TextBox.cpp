// SPDX-License-Identifier: GPL-3.0-or-later
#include "PluginEditor.h"

#include <cmath>

namespace
{
    constexpr float zeroBand = 0.005f;
    constexpr float ceilingDecibels = 12.0f;
    constexpr float floorDecibels = -80.0f;
}

void JuceDemoPluginAudioProcessorEditor::FormatTextFromDecibel (juce::String& out, float dB, bool positive, bool noSign)
{
    if (-zeroBand < dB && dB < zeroBand)
        out = "0.00";
    else if (positive)
        out = dB > ceilingDecibels ? juce::String ("+12.00")
                                   : juce::String::formatted (noSign ? "%.2f" : "+%.2f", (double) dB);
    else
        out = dB <= floorDecibels ? juce::String ("-inf.") : juce::String::formatted ("%.2f", (double) dB);
}

float JuceDemoPluginAudioProcessorEditor::CheckFaderTextFormat (juce::String& text, juce::String& lastText, float lastDb)
{
    const auto restore = [&]
    {
        text = lastText;
        return lastDb;
    };

    auto positive = true;
    auto noSign = false;

    if (text.length() >= 2)
    {
        if (text[0] == '+')
        {
            text = text.substring (1);
        }
        else if (text[0] == '-')
        {
            text = text.substring (1);
            positive = false;
        }
        else
        {
            noSign = true;
        }
    }

    // The box's own "-inf." display, with or without a sign and trailing spaces.
    if (text.contains ("inf"))
    {
        text = "-inf.";
        return floorDecibels;
    }

    if (text.containsChar ('+') || text.containsChar ('-'))
        return restore();

    if (text.indexOfChar ('.') != text.lastIndexOfChar ('.'))
        return restore();

    text = (positive ? "+" : "-") + text;
    // JUCE's reader drops the sign of a zero; "-0" is still the negative side.
    const auto level = std::copysign ((float) text.getDoubleValue(), positive ? 1.0f : -1.0f);

    // A sign or a point with no digits is not a level.
    if (level == 0.0f && ! text.containsChar ('0'))
        return restore();

    FormatTextFromDecibel (text, level, positive, noSign);
    return level;
}
