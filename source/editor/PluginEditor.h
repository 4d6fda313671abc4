// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include "processor/PluginProcessor.h"
#include "PluginEditor_GraphicalMS.h"
#include "PluginEditor_LvMeter.h"
#include "PluginEditor_TextBox.h"
#include "PluginEditor_VolumeSlider.h"

/** The plug-in's window: the background with the block diagram and printed scales, the Mid and
    Side faders with their dB entry boxes, the output meters and the pick-up-pattern display.
    It never waits for the processor: a 50 ms timer polls the processor's published fields. */
class JuceDemoPluginAudioProcessorEditor final : public juce::AudioProcessorEditor,
                                                 public juce::Slider::Listener,
                                                 public juce::Timer,
                                                 public juce::Button::Listener,
                                                 public VolumeSliderLookAndFeelListener,
                                                 public juce::TextEditor::Listener,
                                                 public TervaneTextEditorListener
{
public:
    explicit JuceDemoPluginAudioProcessorEditor (JuceDemoPluginAudioProcessor* owner);
    ~JuceDemoPluginAudioProcessorEditor() override;

    //==============================================================================
    void mouseMove (const juce::MouseEvent& e) override;
    void mouseExit (const juce::MouseEvent& e) override;
    void mouseDown (const juce::MouseEvent& e) override;
    void paint (juce::Graphics& g) override;
    void resized() override;

    //==============================================================================
    void timerCallback() override;

    //==============================================================================
    void sliderValueChanged (juce::Slider* slider) override;

    //==============================================================================
    void buttonClicked (juce::Button*) override;

    //==============================================================================
    void DrawImgOfSliderThumb (float sliderPos, juce::Slider& slider) override;

    //==============================================================================
    void textEditorTextChanged (juce::TextEditor&) override;
    void textEditorReturnKeyPressed (juce::TextEditor& box) override;
    void textEditorEscapeKeyPressed (juce::TextEditor& box) override;
    void textEditorFocusLost (juce::TextEditor&) override;

    //==============================================================================
    void SetLastValue (TervaneTextEditor* box, juce::String& text) override;

    //==============================================================================
    /** Applies a user's move of a fader or a pattern handle to the levels, the host, the linked
        sliders and the entry box. */
    void ExcuteSliderChanged (juce::Slider* slider);

    /** Commits what the box holds: validated, clamped to the scale, sent to the host. */
    void ExcuseTextBoxChanged (juce::TextEditor& box);

    /** Commits any box being typed in and leaves both boxes displaying. */
    void EraseAllTextBoxCaret();

    /** Shows text centred in the box by its left indent and trailing spaces, which are appended
        to text. */
    void SetTextAndCentering (juce::String& text, juce::TextEditor& box);

    /** Moves the meters from the published peaks, lowering the peaks while no audio arrives. */
    void UpdateLvMeters();

    /** The entry-box form of a level: two decimals, "+" on positive levels unless noSign,
        "0.00" around zero, "+12.00" above the ceiling and "-inf." at the floor. positive says
        which side of zero the level is taken to be on. */
    static void FormatTextFromDecibel (juce::String& out, float dB, bool positive, bool noSign);

    /** Validates typed text and brings it into display form, returning its level (not clamped).
        Text that is not a level is replaced by lastText and gives lastDb. */
    static float CheckFaderTextFormat (juce::String& text, juce::String& lastText, float lastDb);

    /** Sets a level the user chose, as a normalised value: stores it for the audio thread and
        tells the host. Every edit of the faders, the handles, the boxes and the knobs ends here. */
    void applyUserLevel (int parameterIndex, double value);

    /** The normalised value of a level as the processor holds it now. */
    double currentLevel (int parameterIndex) const;

    /** Where the pattern display's handles are shown, bounds included. */
    static bool isInDisplayArea (juce::Point<int> p) noexcept;

    //==============================================================================
    // The widgets are plain members in a fixed order: destruction runs backwards through it.
    VolumeSliderLookAndFeel* faderLookAndFeel = nullptr;
    VolumeSlider midFader { "M_slider" };
    VolumeSlider sideFader { "PlusS_slider" };
    VolumeSliderKnob midKnob { 0, 0 };
    VolumeSliderKnob sideKnob { 0, 0 };
    GraphicalMSLookAndFeel* graphicalLookAndFeel = nullptr;
    juce::Slider midGraphicalSlider { "M_graphical_slider" };
    juce::Slider plusSideGraphicalSlider { "PlusS_graphical_slider" };
    juce::Slider minusSideGraphicalSlider { "MinusS_graphical_slider" };
    LevelMeter_Q740 outputMeterL;
    LevelMeter_Q740 outputMeterR;
    juce::Array<juce::Image> imageList;
    juce::Array<juce::Image> ledImageList;
    TervaneTextEditor midTextBox;
    TervaneTextEditor sideTextBox;
    FaderMSTextBoxLookAndFeel* textBoxLookAndFeel = nullptr;
    juce::String lastMidText { "0.00" };
    juce::String lastSideText { "0.00" };
    float lastMidDb = 0.0f;
    float lastSideDb = 0.0f;
    juce::Label versionLabel;
    juce::Label noticeLabel;

private:
    //==============================================================================
    void setUpFader (VolumeSlider& fader);
    void setUpGraphicalSlider (juce::Slider& slider, juce::Slider::SliderStyle style);
    void setUpTextBox (TervaneTextEditor& box);
    void setLevelFromFader (int parameterIndex, double faderPosition);
    void refreshTextBoxFromLevel (int parameterIndex, juce::Slider& fader);
    void showGraphicalSliders();
    void removeGraphicalSliders();
    void releaseTextBoxFocus (TervaneTextEditor& box);

    JuceDemoPluginAudioProcessor& audioProcessor;

    // The gradient with the background picture over it, at the editor's size.
    juce::Image backgroundCache;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (JuceDemoPluginAudioProcessorEditor)
};
