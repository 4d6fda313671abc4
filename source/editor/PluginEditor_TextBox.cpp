// SPDX-License-Identifier: GPL-3.0-or-later
#include "PluginEditor.h"

#include <cmath>
#include <optional>

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

//==============================================================================
TervaneTextEditor::TervaneTextEditor()
    : juce::TextEditor (juce::String(), 0)
{
}

TervaneTextEditor::~TervaneTextEditor() = default;

void TervaneTextEditor::mouseDown (const juce::MouseEvent& e)
{
    juce::TextEditor::mouseDown (e);

    if (! isCaretVisible())
    {
        // Entering edit mode: the first typed character replaces the whole level.
        setText (getText().trim(), false);
        setIndents (4, 1);
        setHighlightedRegion ({ 0, getText().length() });
    }

    grabKeyboardFocus();
}

void TervaneTextEditor::focusGained (juce::Component::FocusChangeType)
{
    hasFocus = true;

    if (listener != nullptr)
    {
        auto text = getText();
        listener->SetLastValue (this, text);
    }
}

void TervaneTextEditor::focusLost (juce::Component::FocusChangeType)
{
    hasFocus = false;
}

//==============================================================================
FaderMSTextBoxLookAndFeel::FaderMSTextBoxLookAndFeel (const juce::Image& image)
    : backgroundImage (image)
{
}

FaderMSTextBoxLookAndFeel::~FaderMSTextBoxLookAndFeel() = default;

void FaderMSTextBoxLookAndFeel::fillTextEditorBackground (juce::Graphics& g, int width, int height, juce::TextEditor&)
{
    g.fillAll (juce::Colours::black);

    if (backgroundImage.isValid())
        g.drawImage (backgroundImage, 0, 0, width, height,
                     0, 0, backgroundImage.getWidth(), backgroundImage.getHeight());
}

void FaderMSTextBoxLookAndFeel::drawTextEditorOutline (juce::Graphics&, int, int, juce::TextEditor&) {}

//==============================================================================
void JuceDemoPluginAudioProcessorEditor::SetLastValue (TervaneTextEditor* box, juce::String& text)
{
    if (box == &midTextBox)
    {
        lastMidDb = CheckFaderTextFormat (text, lastMidText, lastMidDb);
        lastMidText = text;
    }
    else if (box == &sideTextBox)
    {
        lastSideDb = CheckFaderTextFormat (text, lastSideText, lastSideDb);
        lastSideText = text;
    }
}

void JuceDemoPluginAudioProcessorEditor::SetTextAndCentering (juce::String& text, juce::TextEditor& box)
{
    // The text keeps the box's top-left justification; the indent and trailing spaces centre it.
    struct Centring
    {
        int leftIndent;
        int spaces;
    };

    const auto n = text.length();
    const auto hasMinus = text.containsChar ('-');
    std::optional<Centring> centring;

    if (text == "-inf.")
        centring = Centring { 15, 3 };
    else if (n == 4)
        centring = Centring { 13, 2 };
    else if (n == 5)
        centring = Centring { hasMinus ? 9 : 7, 1 };
    else if (n == 6)
        centring = Centring { hasMinus ? 6 : 4, 0 };

    if (centring.has_value())
    {
        text << juce::String::repeatedString (" ", centring->spaces);

        if (box.getLeftIndent() != centring->leftIndent || box.getTopIndent() != 1)
            box.setIndents (centring->leftIndent, 1);
    }

    box.setText (text, false);
}

void JuceDemoPluginAudioProcessorEditor::ExcuseTextBoxChanged (juce::TextEditor& box)
{
    auto text = box.getText();
    const auto isMid = box.getX() == midTextBox.getX();

    if (! isMid && box.getX() != sideTextBox.getX())
        return;

    auto& lastText = isMid ? lastMidText : lastSideText;
    auto& lastDb = isMid ? lastMidDb : lastSideDb;

    const auto dB = CheckFaderTextFormat (text, lastText, lastDb);
    SetTextAndCentering (text, box);
    lastText = text;

    const auto clamped = dB < -80.0f ? -80.0f : (dB > 12.0f ? 12.0f : dB);
    lastDb = clamped;

    applyUserLevel (isMid ? tervane::midParameterIndex : tervane::sideParameterIndex, DecibelsToValue ((double) clamped));
}

void JuceDemoPluginAudioProcessorEditor::EraseAllTextBoxCaret()
{
    for (auto* box : { &midTextBox, &sideTextBox })
    {
        if (box->isCaretVisible() && box->isEnabled())
        {
            box->setCaretVisible (false);
            ExcuseTextBoxChanged (*box);
        }
    }

    for (auto* box : { &midTextBox, &sideTextBox })
        box->setHighlightedRegion ({ 0, 0 });
}

void JuceDemoPluginAudioProcessorEditor::releaseTextBoxFocus (TervaneTextEditor& box)
{
    box.focusLost (juce::Component::focusChangedDirectly);
    box.moveKeyboardFocusToSibling (true);
}

//==============================================================================
void JuceDemoPluginAudioProcessorEditor::textEditorTextChanged (juce::TextEditor&) {}

void JuceDemoPluginAudioProcessorEditor::textEditorReturnKeyPressed (juce::TextEditor& box)
{
    midTextBox.setCaretVisible (false);
    sideTextBox.setCaretVisible (false);
    midTextBox.setHighlightedRegion ({ 0, 0 });
    sideTextBox.setHighlightedRegion ({ 0, 0 });

    ExcuseTextBoxChanged (box);

    if (auto* entryBox = dynamic_cast<TervaneTextEditor*> (&box))
        releaseTextBoxFocus (*entryBox);
}

void JuceDemoPluginAudioProcessorEditor::textEditorEscapeKeyPressed (juce::TextEditor& box)
{
    // The edit mode itself ends at the next tick, which sees that the box no longer has the focus.
    SetTextAndCentering (box.getX() == midTextBox.getX() ? lastMidText : lastSideText, box);

    if (auto* entryBox = dynamic_cast<TervaneTextEditor*> (&box))
        releaseTextBoxFocus (*entryBox);
}

void JuceDemoPluginAudioProcessorEditor::textEditorFocusLost (juce::TextEditor&) {}
