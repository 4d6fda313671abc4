// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

class TervaneTextEditor;

/** Remembers a box's text as the last good value when the user starts editing it. */
class TervaneTextEditorListener
{
public:
    virtual ~TervaneTextEditorListener() = default;
    virtual void SetLastValue (TervaneTextEditor* box, juce::String& text) = 0;
};

//==============================================================================
/** A dB entry box. It is in edit mode while its caret shows; the caret is hidden whenever the box
    only displays the level, so the refresh timer can tell typing from display. */
class TervaneTextEditor final : public juce::TextEditor
{
public:
    TervaneTextEditor();
    ~TervaneTextEditor() override;

    //==============================================================================
    void mouseDown (const juce::MouseEvent& e) override;
    void focusGained (juce::Component::FocusChangeType cause) override;
    void focusLost (juce::Component::FocusChangeType cause) override;

    //==============================================================================
    bool hasFocus = false;
    TervaneTextEditorListener* listener = nullptr;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (TervaneTextEditor)
};

//==============================================================================
/** Draws the entry boxes on their light background image, without an outline. */
class FaderMSTextBoxLookAndFeel final : public juce::LookAndFeel_V2
{
public:
    explicit FaderMSTextBoxLookAndFeel (const juce::Image& image);
    ~FaderMSTextBoxLookAndFeel() override;

    //==============================================================================
    void fillTextEditorBackground (juce::Graphics& g, int width, int height, juce::TextEditor&) override;
    void drawTextEditorOutline (juce::Graphics&, int width, int height, juce::TextEditor&) override;

    juce::Image backgroundImage;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (FaderMSTextBoxLookAndFeel)
};
