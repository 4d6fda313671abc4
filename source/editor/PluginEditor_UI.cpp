// SPDX-License-Identifier: GPL-3.0-or-later
#include "PluginEditor.h"

#include "FaderLaw.h"

//==============================================================================
void JuceDemoPluginAudioProcessorEditor::timerCallback()
{
    // Only reads the levels: every update below is made without notification, so nothing here can
    // write a parameter back.
    const auto midDb = ValueToDecibels (currentLevel (tervane::midParameterIndex));
    midFader.setValue (DecibelToFaderPosition (midDb), juce::dontSendNotification);

    const auto sideDb = ValueToDecibels (currentLevel (tervane::sideParameterIndex));
    const auto sidePosition = DecibelToFaderPosition (sideDb);
    sideFader.setValue (sidePosition, juce::dontSendNotification);
    plusSideGraphicalSlider.setValue (1.0 - sidePosition, juce::dontSendNotification);
    minusSideGraphicalSlider.setValue (sidePosition, juce::dontSendNotification);

    juce::String text;

    for (auto [box, dB] : { std::pair { &midTextBox, midDb }, std::pair { &sideTextBox, sideDb } })
    {
        if (box->isCaretVisible())
        {
            // A box that lost the focus while being typed in drops out of edit mode; its text
            // is replaced on the next tick.
            if (! box->hasFocus)
                box->setCaretVisible (false);
        }
        else
        {
            FormatTextFromDecibel (text, (float) dB, dB > 0.0, false);
            SetTextAndCentering (text, *box);
        }
    }

    UpdateLvMeters();
}

//==============================================================================
bool JuceDemoPluginAudioProcessorEditor::isInDisplayArea (juce::Point<int> p) noexcept
{
    return 24 <= p.x && p.x <= 217 && 57 <= p.y && p.y <= 245;
}

void JuceDemoPluginAudioProcessorEditor::showGraphicalSliders()
{
    addAndMakeVisible (midGraphicalSlider);
    addAndMakeVisible (plusSideGraphicalSlider);
    addAndMakeVisible (minusSideGraphicalSlider);
}

void JuceDemoPluginAudioProcessorEditor::removeGraphicalSliders()
{
    for (auto* slider : { &midGraphicalSlider, &plusSideGraphicalSlider, &minusSideGraphicalSlider })
        slider->setVisible (false);

    for (auto* slider : { &midGraphicalSlider, &plusSideGraphicalSlider, &minusSideGraphicalSlider })
        removeChildComponent (slider);
}

void JuceDemoPluginAudioProcessorEditor::mouseMove (const juce::MouseEvent& e)
{
    const auto p = e.eventComponent == this ? e.getPosition()
                                            : getLocalPoint (e.eventComponent, e.getPosition());

    if (isInDisplayArea (p))
    {
        if (! midGraphicalSlider.isVisible())
            showGraphicalSliders();
    }
    else if (midGraphicalSlider.isVisible())
    {
        removeGraphicalSliders();
    }
}

void JuceDemoPluginAudioProcessorEditor::mouseExit (const juce::MouseEvent& e)
{
    if (e.eventComponent != this)
        return;

    const auto p = e.getPosition();

    if (! isInDisplayArea (p))
        removeGraphicalSliders();

    // Moving onto one of the editor's own children is not leaving it.
    if (0 <= p.x && p.x < getWidth() && 0 <= p.y && p.y < getHeight())
        return;

    EraseAllTextBoxCaret();
    releaseTextBoxFocus (midTextBox);
    releaseTextBoxFocus (sideTextBox);
}

void JuceDemoPluginAudioProcessorEditor::mouseDown (const juce::MouseEvent& e)
{
    const auto switchTo = [this] (TervaneTextEditor& pressed, TervaneTextEditor& other)
    {
        if (! pressed.isCaretVisible())
            pressed.setCaretVisible (true);

        if (other.isCaretVisible())
        {
            other.setCaretVisible (false);
            ExcuseTextBoxChanged (other);
            other.setHighlightedRegion ({ 0, 0 });
        }
    };

    if (e.eventComponent == &midTextBox)
        switchTo (midTextBox, sideTextBox);
    else if (e.eventComponent == &sideTextBox)
        switchTo (sideTextBox, midTextBox);
    else
        EraseAllTextBoxCaret();
}

//==============================================================================
void JuceDemoPluginAudioProcessorEditor::sliderValueChanged (juce::Slider* slider)
{
    ExcuteSliderChanged (slider);
}
