// SPDX-License-Identifier: GPL-3.0-or-later
#include "PluginEditor.h"

#include "FaderLaw.h"

namespace
{
    // The fader takes the pointer this much higher than it is: the cap's grip line lies that far
    // below the thumb position.
    constexpr int pointerShift = 8;
}

//==============================================================================
VolumeSlider::VolumeSlider (const juce::String& name)
    : juce::Slider (name)
{
}

VolumeSlider::~VolumeSlider() = default;

juce::MouseEvent VolumeSlider::shiftedEvent (const juce::MouseEvent& e, int mouseDownYOffset) const
{
    // The event comes from the knob, which lies over this fader in the same parent.
    const auto inFader = getLocalPoint (getParentComponent(), e.getPosition());
    const auto downPosition = e.getMouseDownPosition().translated (0, mouseDownYOffset);

    return juce::MouseEvent (e.source,
                             { (float) e.x, (float) (inFader.y - pointerShift) },
                             e.mods,
                             e.pressure,
                             0.0f, 0.0f, 0.0f, 0.0f,
                             e.eventComponent,
                             e.originalComponent,
                             e.eventTime,
                             downPosition.toFloat(),
                             e.eventTime,
                             e.getNumberOfClicks(),
                             e.mouseWasDraggedSinceMouseDown());
}

void VolumeSlider::mouseDown (const juce::MouseEvent& e)
{
    juce::Slider::mouseDown (shiftedEvent (e, 0));
}

void VolumeSlider::mouseDrag (const juce::MouseEvent& e)
{
    juce::Slider::mouseDrag (shiftedEvent (e, -40));
}

//==============================================================================
VolumeSliderKnob::VolumeSliderKnob (int, int) {}

VolumeSliderKnob::~VolumeSliderKnob() = default;

void VolumeSliderKnob::paint (juce::Graphics& g)
{
    if (! knobImage.isValid())
        return;

    const auto top = (int) (thumbPos + (float) imageOffsetY);
    g.drawImageTransformed (knobImage, juce::AffineTransform::translation ((float) imageOffsetX, (float) top));
}

void VolumeSliderKnob::mouseDoubleClick (const juce::MouseEvent&)
{
    auto* editor = dynamic_cast<JuceDemoPluginAudioProcessorEditor*> (getParentComponent());

    if (editor == nullptr)
        return;

    if (this == &editor->midKnob)
    {
        editor->applyUserLevel (tervane::midParameterIndex, tervane::unityValue);
        editor->lastMidDb = 0.0f;
    }
    else if (this == &editor->sideKnob)
    {
        editor->applyUserLevel (tervane::sideParameterIndex, tervane::unityValue);
        editor->lastSideDb = 0.0f;
    }

    for (auto* box : { &editor->midTextBox, &editor->sideTextBox })
        if (box->isCaretVisible())
            box->setCaretVisible (false);
}

//==============================================================================
VolumeSliderLookAndFeel::VolumeSliderLookAndFeel (VolumeSliderLookAndFeelListener* listenerToUse)
    : listener (listenerToUse)
{
}

VolumeSliderLookAndFeel::~VolumeSliderLookAndFeel() = default;

void VolumeSliderLookAndFeel::drawLinearSliderBackground (juce::Graphics&, int, int, int, int, float, float, float,
                                                          juce::Slider::SliderStyle, juce::Slider&)
{
}

void VolumeSliderLookAndFeel::drawLinearSliderThumb (juce::Graphics&, int, int, int, int, float sliderPos, float, float,
                                                     juce::Slider::SliderStyle, juce::Slider& slider)
{
    if (listener != nullptr)
        listener->DrawImgOfSliderThumb (sliderPos, slider);
}

//==============================================================================
void JuceDemoPluginAudioProcessorEditor::DrawImgOfSliderThumb (float sliderPos, juce::Slider& slider)
{
    VolumeSliderKnob* knob = nullptr;

    if (slider.getX() == midFader.getX())
        knob = &midKnob;
    else if (slider.getX() == sideFader.getX())
        knob = &sideKnob;
    else
        return;

    if (knob->thumbPos != sliderPos)
    {
        knob->thumbPos = sliderPos;
        knob->repaint();
    }
}

void JuceDemoPluginAudioProcessorEditor::setLevelFromFader (int parameterIndex, double faderPosition)
{
    applyUserLevel (parameterIndex, (FaderPositionToDecibel (faderPosition) + 80.0) / 92.0);
}

void JuceDemoPluginAudioProcessorEditor::refreshTextBoxFromLevel (int parameterIndex, juce::Slider& fader)
{
    const auto isMid = parameterIndex == tervane::midParameterIndex;
    const auto d = ValueToDecibels (currentLevel (parameterIndex));

    juce::String text;
    FormatTextFromDecibel (text, (float) d, d > 0.0, false);
    (isMid ? lastMidDb : lastSideDb) = (float) FaderPositionToDecibel (fader.getValue());
    SetTextAndCentering (text, isMid ? midTextBox : sideTextBox);
    (isMid ? lastMidText : lastSideText) = text;
}

void JuceDemoPluginAudioProcessorEditor::ExcuteSliderChanged (juce::Slider* slider)
{
    // Any move of a level throws away what is being typed; the timer shows the level again.
    for (auto* box : { &midTextBox, &sideTextBox })
        if (box->isCaretVisible())
            box->setCaretVisible (false);

    if (slider == nullptr)
        return;

    const auto v = slider->getValue();

    if (slider == &midFader || slider == &midGraphicalSlider)
    {
        setLevelFromFader (tervane::midParameterIndex, v);
        refreshTextBoxFromLevel (tervane::midParameterIndex, *slider);
    }
    else if (slider == &sideFader)
    {
        plusSideGraphicalSlider.setValue (1.0 - v, juce::sendNotificationAsync);
        minusSideGraphicalSlider.setValue (v, juce::sendNotificationAsync);
        setLevelFromFader (tervane::sideParameterIndex, v);
        refreshTextBoxFromLevel (tervane::sideParameterIndex, *slider);
    }
    else if (slider == &plusSideGraphicalSlider)
    {
        sideFader.setValue (1.0 - v, juce::sendNotificationAsync);
        setLevelFromFader (tervane::sideParameterIndex, 1.0 - v);
    }
    else if (slider == &minusSideGraphicalSlider)
    {
        sideFader.setValue (v, juce::sendNotificationAsync);
        setLevelFromFader (tervane::sideParameterIndex, v);
    }

    // The pattern display shows the levels too.
    repaint();
}
