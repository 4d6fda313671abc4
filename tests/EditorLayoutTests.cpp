// SPDX-License-Identifier: GPL-3.0-or-later
// The editor's window: its size, where every control sits, what lies in front, its images.
#include "EditorFixture.h"

namespace
{
    using tervane::testing::EditorFixture;

    struct Placement
    {
        const char* name;
        juce::Component* (*find) (JuceDemoPluginAudioProcessorEditor&);
        juce::Rectangle<int> bounds;
    };

    const Placement placements[] = {
        { "midFader", [] (auto& e) -> juce::Component* { return &e.midFader; }, { 263, 40, 30, 170 } },
        { "sideFader", [] (auto& e) -> juce::Component* { return &e.sideFader; }, { 331, 40, 30, 170 } },
        { "midKnob", [] (auto& e) -> juce::Component* { return &e.midKnob; }, { 263, 0, 30, 222 } },
        { "sideKnob", [] (auto& e) -> juce::Component* { return &e.sideKnob; }, { 331, 0, 30, 222 } },
        { "midGraphicalSlider", [] (auto& e) -> juce::Component* { return &e.midGraphicalSlider; }, { 114, 86, 16, 90 } },
        { "plusSideGraphicalSlider", [] (auto& e) -> juce::Component* { return &e.plusSideGraphicalSlider; }, { 21, 159, 95, 16 } },
        { "minusSideGraphicalSlider", [] (auto& e) -> juce::Component* { return &e.minusSideGraphicalSlider; }, { 128, 159, 95, 16 } },
        { "outputMeterL", [] (auto& e) -> juce::Component* { return &e.outputMeterL; }, { 398, 52, 11, 176 } },
        { "outputMeterR", [] (auto& e) -> juce::Component* { return &e.outputMeterR; }, { 428, 52, 11, 176 } },
        { "midTextBox", [] (auto& e) -> juce::Component* { return &e.midTextBox; }, { 251, 223, 53, 18 } },
        { "sideTextBox", [] (auto& e) -> juce::Component* { return &e.sideTextBox; }, { 320, 223, 53, 18 } },
        { "versionLabel", [] (auto& e) -> juce::Component* { return &e.versionLabel; }, { 250, 0, 120, 35 } },
        { "noticeLabel", [] (auto& e) -> juce::Component* { return &e.noticeLabel; }, { 220, 436, 240, 35 } },
    };

    void expectFixedLayout (JuceDemoPluginAudioProcessorEditor& editor)
    {
        for (const auto& placement : placements)
            EXPECT_EQ (placement.find (editor)->getBounds(), placement.bounds) << placement.name;
    }

    using EditorLayout = EditorFixture;
}

TEST_F (EditorLayout, opensAtTheDefaultSizeWithEveryControlInPlace)
{
    EXPECT_EQ (editor().getWidth(), 472);
    EXPECT_EQ (editor().getHeight(), 480);
    EXPECT_FALSE (editor().isResizable());
    expectFixedLayout (editor());
}

TEST_F (EditorLayout, nextEditorOpensAtARestoredSizeWithTheSameLayout)
{
    JuceDemoPluginAudioProcessor other;
    other.uiWidth = 600;
    other.uiHeight = 520;
    juce::MemoryBlock state;
    other.getStateInformation (state);

    processor.setStateInformation (state.getData(), (int) state.getSize());
    EXPECT_EQ (editor().getWidth(), 472) << "an open editor keeps its size";

    closeEditor();
    openEditor();
    EXPECT_EQ (editor().getWidth(), 600);
    EXPECT_EQ (editor().getHeight(), 520);
    expectFixedLayout (editor());
}

TEST_F (EditorLayout, savedStateCarriesTheEditorsActualSize)
{
    processor.uiWidth = 10;
    editor().setSize (500, 490);

    juce::MemoryBlock state;
    processor.getStateInformation (state);
    const auto xml = juce::AudioProcessor::getXmlFromBinary (state.getData(), (int) state.getSize());
    ASSERT_NE (xml, nullptr);
    EXPECT_EQ (xml->getIntAttribute ("uiWidth"), 500);
    EXPECT_EQ (xml->getIntAttribute ("uiHeight"), 490);
}

TEST_F (EditorLayout, childrenLieInTheirOrderWithEachKnobInFrontOfItsFader)
{
    auto& e = editor();
    const std::vector<juce::Component*> expected { &e.midFader, &e.sideFader, &e.midKnob, &e.sideKnob,
                                                   &e.outputMeterL, &e.outputMeterR, &e.midTextBox,
                                                   &e.sideTextBox, &e.versionLabel, &e.noticeLabel };
    std::vector<juce::Component*> children;

    for (auto* child : e.getChildren())
        children.push_back (child);

    EXPECT_EQ (children, expected) << "the pattern display's handles are not children until the pointer is over it";

    for (auto* child : expected)
        EXPECT_TRUE (child->isVisible());

    // Below the version label, the knob is what the pointer hits over the whole fader column.
    for (int y = 35; y < 222; y += 13)
    {
        EXPECT_EQ (e.getComponentAt (270, y), &e.midKnob) << "y " << y;
        EXPECT_EQ (e.getComponentAt (340, y), &e.sideKnob) << "y " << y;
    }
}

TEST_F (EditorLayout, labelsShowTheVersionAndTheNotice)
{
    EXPECT_EQ (editor().versionLabel.getText(), "Ver.1.0.0.4");
    EXPECT_EQ (editor().versionLabel.findColour (juce::Label::textColourId), juce::Colour (0xffffffff));
    EXPECT_TRUE (editor().versionLabel.getFont().isBold());
    EXPECT_TRUE (editor().versionLabel.getFont().isItalic());
    EXPECT_EQ (editor().versionLabel.getFont().getHeight(), 14.0f);

    const auto notice = editor().noticeLabel.getText();
    EXPECT_TRUE (notice.startsWith (juce::String (juce::CharPointer_UTF8 ("\xc2\xa9")))) << notice;
    EXPECT_TRUE (notice.contains ("ORVA"));
    EXPECT_FALSE (notice.containsAnyOf ("\r\n"));
    EXPECT_EQ (editor().noticeLabel.findColour (juce::Label::textColourId), juce::Colour (0xffb6b6b6));
    EXPECT_EQ (editor().noticeLabel.getFont().getHeight(), 12.0f);
}

TEST_F (EditorLayout, screenReadersNameTheControls)
{
    EXPECT_EQ (editor().midFader.getTitle(), "Mid level");
    EXPECT_EQ (editor().sideFader.getTitle(), "Side level");
    EXPECT_EQ (editor().midTextBox.getTitle(), "Mid level");
    EXPECT_EQ (editor().sideTextBox.getTitle(), "Side level");
    EXPECT_EQ (editor().outputMeterL.getTitle(), "Left output");
    EXPECT_EQ (editor().outputMeterR.getTitle(), "Right output");
}

TEST_F (EditorLayout, imagesAreDecodedOnceAtTheirSizes)
{
    struct Size
    {
        int width, height;
    };

    // imageList: temp1..temp9, then the background temp13, the cap temp10 and the box face temp15.
    const Size sizes[] = { { 11, 11 }, { 11, 11 }, { 11, 11 }, { 11, 11 }, { 11, 11 }, { 11, 11 },
                           { 86, 69 }, { 86, 69 }, { 118, 84 }, { 491, 500 }, { 86, 99 }, { 46, 17 } };

    ASSERT_EQ (editor().imageList.size(), 12);
    ASSERT_EQ (editor().ledImageList.size(), 6);

    for (int i = 0; i < 12; ++i)
    {
        const auto& image = editor().imageList.getReference (i);
        ASSERT_TRUE (image.isValid()) << "entry " << i;
        EXPECT_EQ (image.getWidth(), sizes[i].width) << "entry " << i;
        EXPECT_EQ (image.getHeight(), sizes[i].height) << "entry " << i;
        EXPECT_TRUE (image.hasAlphaChannel()) << "entry " << i;
    }

    for (int i = 0; i < 6; ++i)
        EXPECT_EQ (editor().ledImageList.getReference (i), editor().imageList.getReference (i)) << "the cache shares LED " << i;

    EXPECT_EQ (editor().midKnob.knobImage, editor().imageList.getReference (10));
    EXPECT_EQ (editor().outputMeterL.ledImages, &editor().ledImageList);
    EXPECT_EQ (editor().outputMeterR.ledImages, &editor().ledImageList);
}

TEST_F (EditorLayout, backgroundKeepsItsLandmarksUnderTheControls)
{
    // Editor coordinates; the background is drawn 9 px left of and 10 px above the editor.
    const auto& background = editor().imageList.getReference (9);
    const auto at = [&] (int x, int y) { return background.getPixelAt (x + 9, y + 10); };

    for (int y = 60; y <= 200; y += 10)
    {
        for (const auto x : { 279, 282, 347, 350, 396, 407, 427, 438 })
            EXPECT_LT (at (x, y).getBrightness(), 0.08f) << "slots are black at x " << x << " y " << y;

        EXPECT_GT (at (278 - 4, y).getBrightness(), at (280, y).getBrightness() + 0.05f) << "the panel beside the slot is lighter";
    }

    // The pattern display is dark blue.
    for (const auto& p : { juce::Point<int> (30, 65), juce::Point<int> (210, 238), juce::Point<int> (60, 200) })
    {
        const auto colour = at (p.x, p.y);
        EXPECT_GT (colour.getFloatBlue(), colour.getFloatRed() + 0.05f) << p.toString();
        EXPECT_LT (colour.getBrightness(), 0.5f) << p.toString();
    }

    EXPECT_TRUE (at (0, 0).isOpaque() || at (1, 0).isOpaque());
}

TEST_F (EditorLayout, closingWhileABoxHasTheFocusIsSafe)
{
    clickAt ({ 270, 231 });
    ASSERT_TRUE (editor().midTextBox.hasKeyboardFocus (false));
    type ("5");
    closeEditor();
    openEditor();
    tick();
    EXPECT_EQ (editor().midTextBox.getText().trim(), "0.00");
}
