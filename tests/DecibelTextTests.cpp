// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/PluginEditor.h"

#include <gtest/gtest.h>

#include <cmath>

using Editor = JuceDemoPluginAudioProcessorEditor;

TEST (DecibelText, formatsLevelsForTheEntryBoxes)
{
    struct Case { float dB; bool positive, noSign; const char* text; };
    const Case cases[] = {
        { 5.0f, true, true, "5.00" },        { 5.0f, true, false, "+5.00" },
        { 12.0f, true, false, "+12.00" },    { 12.0f, true, true, "12.00" },
        { 12.01f, true, false, "+12.00" },   { 12.01f, true, true, "+12.00" },
        { -80.0f, false, false, "-inf." },   { -79.996f, false, false, "-80.00" },
        { 0.004f, true, false, "0.00" },     { -0.004f, false, false, "0.00" },
        { 0.005f, true, false, "+0.00" },    { 5.555f, true, false, "+5.55" },
        { -3.5f, false, false, "-3.50" },    { -150.0f, false, true, "-inf." },
    };

    for (const auto& c : cases)
    {
        juce::String out ("stale");
        Editor::FormatTextFromDecibel (out, c.dB, c.positive, c.noSign);
        EXPECT_EQ (out, c.text) << c.dB << " positive " << c.positive << " noSign " << c.noSign;
    }
}

TEST (DecibelText, validatesAndNormalisesTypedText)
{
    struct Case { const char* typed; const char* shown; float level; };
    const Case cases[] = {
        { "", "+3.00", 3.0f },          { "5", "+5.00", 5.0f },          { "5.", "5.00", 5.0f },
        { "+5", "+5.00", 5.0f },        { "-5", "-5.00", -5.0f },        { "007", "7.00", 7.0f },
        { "12", "12.00", 12.0f },       { "+12", "+12.00", 12.0f },      { "13", "+12.00", 13.0f },
        { "55", "+12.00", 55.0f },      { "+.5", "+0.50", 0.5f },        { "-.5", "-0.50", -0.5f },
        { "0", "0.00", 0.0f },          { "-0", "0.00", -0.0f },         { "0.004", "0.00", 0.004f },
        { "-79.999", "-80.00", -79.999f }, { "-80", "-inf.", -80.0f },   { "-95", "-inf.", -95.0f },
        { "-inf.", "-inf.", -80.0f },   { "-inf.  ", "-inf.", -80.0f },  { "+3.00 ", "+3.00", 3.0f },
        { ".", "+3.00", 3.0f },         { "+", "+3.00", 3.0f },          { "-", "+3.00", 3.0f },
        { "--5", "+3.00", 3.0f },       { "5-", "+3.00", 3.0f },         { "1.2.3", "+3.00", 3.0f },
        { "+.", "+3.00", 3.0f },
    };

    for (const auto& c : cases)
    {
        juce::String text (c.typed), last ("+3.00");
        const auto level = Editor::CheckFaderTextFormat (text, last, 3.0f);
        EXPECT_EQ (text, c.shown) << "typed \"" << c.typed << "\"";
        EXPECT_EQ (level, c.level) << "typed \"" << c.typed << "\"";
        EXPECT_EQ (std::signbit (level), std::signbit (c.level)) << "typed \"" << c.typed << "\"";
        EXPECT_EQ (last, "+3.00");
    }
}

TEST (DecibelText, invalidTextBringsBackTheLastLevelEvenBeyondTheScale)
{
    juce::String text ("1.2.3"), last ("+12.00");
    EXPECT_EQ (Editor::CheckFaderTextFormat (text, last, 40.0f), 40.0f);
    EXPECT_EQ (text, "+12.00");
}
