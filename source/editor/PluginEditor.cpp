// SPDX-License-Identifier: GPL-3.0-or-later
#include "PluginEditor.h"

#include "BinaryData.h"
#include "processor/EditorFactory.h"

namespace
{
    constexpr double faderInterval = 1.0 / 2241.0;
    constexpr int refreshIntervalMs = 50;

    struct Asset
    {
        const char* data;
        int size;
    };

    // In the order of the editor's image list.
    const Asset editorImages[] = {
        { BinaryData::temp1, BinaryData::temp1Size },   { BinaryData::temp2, BinaryData::temp2Size },
        { BinaryData::temp3, BinaryData::temp3Size },   { BinaryData::temp4, BinaryData::temp4Size },
        { BinaryData::temp5, BinaryData::temp5Size },   { BinaryData::temp6, BinaryData::temp6Size },
        { BinaryData::temp7, BinaryData::temp7Size },   { BinaryData::temp8, BinaryData::temp8Size },
        { BinaryData::temp9, BinaryData::temp9Size },   { BinaryData::temp13, BinaryData::temp13Size },
        { BinaryData::temp10, BinaryData::temp10Size }, { BinaryData::temp15, BinaryData::temp15Size },
    };

    juce::Image decode (const char* data, int size)
    {
        return juce::ImageCache::getFromMemory (data, size);
    }
}

JuceDemoPluginAudioProcessorEditor::JuceDemoPluginAudioProcessorEditor (JuceDemoPluginAudioProcessor* owner)
    : juce::AudioProcessorEditor (owner),
      audioProcessor (*owner)
{
    // The background is entry 9; the three lobes are 6, 7 and 8.
    for (const auto& asset : editorImages)
        imageList.add (decode (asset.data, asset.size));

    faderLookAndFeel = new VolumeSliderLookAndFeel (this);
    setUpFader (midFader);
    setUpFader (sideFader);

    const auto knobImage = decode (BinaryData::temp10, BinaryData::temp10Size);

    for (auto* knob : { &midKnob, &sideKnob })
    {
        addAndMakeVisible (*knob);
        knob->knobImage = knobImage;
    }

    midKnob.addMouseListener (&midFader, true);
    sideKnob.addMouseListener (&sideFader, true);

    graphicalLookAndFeel = new GraphicalMSLookAndFeel();
    setUpGraphicalSlider (midGraphicalSlider, juce::Slider::LinearVertical);
    setUpGraphicalSlider (plusSideGraphicalSlider, juce::Slider::LinearHorizontal);
    plusSideGraphicalSlider.setValue (1.0, juce::dontSendNotification);
    setUpGraphicalSlider (minusSideGraphicalSlider, juce::Slider::LinearHorizontal);

    // The Mid fader and the Mid handle of the pattern display hold one value between them.
    const juce::Value sharedMidValue (juce::var (0.0));
    midFader.getValueObject().referTo (sharedMidValue);
    midGraphicalSlider.getValueObject().referTo (sharedMidValue);

    // The LEDs are the first six images: lit and unlit green, red, yellow.
    for (size_t i = 0; i < 6; ++i)
        ledImageList.add (decode (editorImages[i].data, editorImages[i].size));

    for (auto* meter : { &outputMeterL, &outputMeterR })
    {
        addAndMakeVisible (*meter);
        meter->ledImages = &ledImageList;
        meter->addMouseListener (this, true);
    }

    outputMeterL.setTitle ("Left output");
    outputMeterR.setTitle ("Right output");

    textBoxLookAndFeel = new FaderMSTextBoxLookAndFeel (decode (BinaryData::temp15, BinaryData::temp15Size));
    setUpTextBox (midTextBox);
    setUpTextBox (sideTextBox);

    midFader.setTitle ("Mid level");
    sideFader.setTitle ("Side level");
    midTextBox.setTitle ("Mid level");
    sideTextBox.setTitle ("Side level");

    versionLabel.setFont (juce::Font (14.0f, juce::Font::bold | juce::Font::italic));
    versionLabel.setColour (juce::Label::textColourId, juce::Colour (0xffffffff));
    versionLabel.setJustificationType (juce::Justification::centredBottom);
    versionLabel.setText ("Ver." + juce::String (JucePlugin_VersionString), juce::dontSendNotification);
    versionLabel.setBounds (250, 0, 120, 35);
    versionLabel.addMouseListener (this, true);
    addAndMakeVisible (versionLabel);

    noticeLabel.setFont (juce::Font (12.0f, juce::Font::plain));
    noticeLabel.setColour (juce::Label::textColourId, juce::Colours::white.darker (0.4f));
    noticeLabel.setJustificationType (juce::Justification::centredBottom);
    noticeLabel.setText (juce::String (juce::CharPointer_UTF8 ("\xc2\xa9 2026 ORVA. All rights reserved.")),
                         juce::dontSendNotification);
    noticeLabel.setBounds (220, 436, 240, 35);
    addAndMakeVisible (noticeLabel);

    setSize (audioProcessor.uiWidth.load (std::memory_order_relaxed),
             audioProcessor.uiHeight.load (std::memory_order_relaxed));

    // A click on the bare background takes the keyboard focus away from an entry box.
    setWantsKeyboardFocus (true);

    startTimer (refreshIntervalMs);
}

JuceDemoPluginAudioProcessorEditor::~JuceDemoPluginAudioProcessorEditor()
{
    // A look-and-feel goes only once no component refers to it any more.
    if (faderLookAndFeel != nullptr)
    {
        midFader.setLookAndFeel (nullptr);
        sideFader.setLookAndFeel (nullptr);
        delete faderLookAndFeel;
        faderLookAndFeel = nullptr;
    }

    if (graphicalLookAndFeel != nullptr)
    {
        midGraphicalSlider.setLookAndFeel (nullptr);
        plusSideGraphicalSlider.setLookAndFeel (nullptr);
        minusSideGraphicalSlider.setLookAndFeel (nullptr);
        delete graphicalLookAndFeel;
        graphicalLookAndFeel = nullptr;
    }

    if (textBoxLookAndFeel != nullptr)
    {
        midTextBox.setLookAndFeel (nullptr);
        sideTextBox.setLookAndFeel (nullptr);
        delete textBoxLookAndFeel;
        textBoxLookAndFeel = nullptr;
    }
}

void JuceDemoPluginAudioProcessorEditor::setUpFader (VolumeSlider& fader)
{
    addAndMakeVisible (fader);
    fader.setSliderStyle (juce::Slider::LinearVertical);
    fader.setTextBoxStyle (juce::Slider::NoTextBox, true, 90, 20);
    fader.addListener (this);
    fader.addMouseListener (this, true);
    fader.setRange (0.0, 1.0, faderInterval);
    fader.setLookAndFeel (faderLookAndFeel);
}

void JuceDemoPluginAudioProcessorEditor::setUpGraphicalSlider (juce::Slider& slider, juce::Slider::SliderStyle style)
{
    slider.setSliderStyle (style);
    slider.setTextBoxStyle (juce::Slider::NoTextBox, true, 90, 20);
    slider.addListener (this);
    slider.setRange (0.0, 1.0, faderInterval);
    slider.setLookAndFeel (graphicalLookAndFeel);
}

void JuceDemoPluginAudioProcessorEditor::setUpTextBox (TervaneTextEditor& box)
{
    addAndMakeVisible (box);
    box.setLookAndFeel (textBoxLookAndFeel);
    box.setInputRestrictions (6, "1234567890+-.");
    box.addListener (this);
    box.setText ("0.00", true);
    box.addMouseListener (this, true);
    box.setCaretVisible (false);
    box.setIndents (13, 1);
    box.setPopupMenuEnabled (false);
    box.listener = this;
}

//==============================================================================
void JuceDemoPluginAudioProcessorEditor::resized()
{
    midFader.setBounds (263, 40, 30, 170);
    sideFader.setBounds (331, 40, 30, 170);
    midKnob.setBounds (263, 0, 30, 222);
    sideKnob.setBounds (331, 0, 30, 222);
    midGraphicalSlider.setBounds (114, 86, 16, 90);
    plusSideGraphicalSlider.setBounds (21, 159, 95, 16);
    minusSideGraphicalSlider.setBounds (128, 159, 95, 16);
    outputMeterL.setBounds (398, 52, 11, 176);
    outputMeterR.setBounds (428, 52, 11, 176);
    midTextBox.setBounds (251, 223, 53, 18);
    sideTextBox.setBounds (320, 223, 53, 18);

    audioProcessor.uiWidth.store (getWidth(), std::memory_order_relaxed);
    audioProcessor.uiHeight.store (getHeight(), std::memory_order_relaxed);
}

void JuceDemoPluginAudioProcessorEditor::buttonClicked (juce::Button*) {}

//==============================================================================
void JuceDemoPluginAudioProcessorEditor::applyUserLevel (int parameterIndex, double value)
{
    auto& field = parameterIndex == tervane::midParameterIndex ? audioProcessor.parameters.midValue
                                                               : audioProcessor.parameters.sideValue;
    field.store (value, std::memory_order_relaxed);
    audioProcessor.getParameters()[parameterIndex]->setValueNotifyingHost ((float) value);
}

double JuceDemoPluginAudioProcessorEditor::currentLevel (int parameterIndex) const
{
    const auto& field = parameterIndex == tervane::midParameterIndex ? audioProcessor.parameters.midValue
                                                                     : audioProcessor.parameters.sideValue;
    return field.load (std::memory_order_relaxed);
}

//==============================================================================
juce::AudioProcessorEditor* createTervaneEditor (JuceDemoPluginAudioProcessor& processor)
{
    return new JuceDemoPluginAudioProcessorEditor (&processor);
}
