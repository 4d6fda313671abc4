// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** Told where a fader's thumb is drawn, so that its cap image can follow it. */
class VolumeSliderLookAndFeelListener
{
public:
    virtual void DrawImgOfSliderThumb (float sliderPos, juce::Slider& slider) = 0;
    virtual ~VolumeSliderLookAndFeelListener() = default;
};

//==============================================================================
/** A level fader. Its knob lies in front of it and forwards the mouse; the fader takes the pointer
    8 pixels higher than it is, so that the cap's grip line, not its top, sits under the pointer. */
class VolumeSlider final : public juce::Slider
{
public:
    explicit VolumeSlider (const juce::String& name);
    ~VolumeSlider() override;

    //==============================================================================
    void mouseDown (const juce::MouseEvent& e) override;
    void mouseDrag (const juce::MouseEvent& e) override;

private:
    juce::MouseEvent shiftedEvent (const juce::MouseEvent& e, int mouseDownYOffset) const;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (VolumeSlider)
};

//==============================================================================
/** The fader cap: draws the knob image at the thumb position its fader last reported, and
    receives the fader's mouse events, which it hands on to the fader. */
class VolumeSliderKnob final : public juce::Component,
                               public juce::ModifierKeys
{
public:
    VolumeSliderKnob (int, int);
    ~VolumeSliderKnob() override;

    //==============================================================================
    void mouseDoubleClick (const juce::MouseEvent& e) override;
    void paint (juce::Graphics& g) override;

    //==============================================================================
    juce::Image knobImage;
    float thumbPos = 0.0f;
    int32_t imageOffsetX = -25;
    int32_t imageOffsetY = -3;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (VolumeSliderKnob)
};

//==============================================================================
/** Draws nothing of the faders (the scale and slot are in the background picture) and reports
    the thumb position to its listener instead. */
class VolumeSliderLookAndFeel final : public juce::LookAndFeel_V2
{
public:
    explicit VolumeSliderLookAndFeel (VolumeSliderLookAndFeelListener* listenerToUse);
    ~VolumeSliderLookAndFeel() override;

    //==============================================================================
    void drawLinearSliderBackground (juce::Graphics&, int x, int y, int width, int height,
                                     float sliderPos, float minSliderPos, float maxSliderPos,
                                     juce::Slider::SliderStyle, juce::Slider&) override;
    void drawLinearSliderThumb (juce::Graphics&, int x, int y, int width, int height,
                                float sliderPos, float minSliderPos, float maxSliderPos,
                                juce::Slider::SliderStyle, juce::Slider&) override;

    VolumeSliderLookAndFeelListener* listener;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (VolumeSliderLookAndFeel)
};
