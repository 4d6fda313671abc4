// SPDX-License-Identifier: GPL-3.0-or-later
// The Mid and Side faders, handled with the mouse on their knobs in a real window.
#include "EditorFixture.h"

#include "editor/FaderLaw.h"

#include <cmath>

namespace
{
    using tervane::testing::EditorFixture;
    using Faders = EditorFixture;

    constexpr int midKnobX = 280;
    constexpr int sideKnobX = 348;

    /** Where a plain 30 x 170 slider of the same range puts its value for a press at fader y: its
        thumb travels from 9 px (top) to 161 px (bottom), in steps of 1/2241. */
    double plainSliderValueAt (int faderY)
    {
        const auto proportion = juce::jlimit (0.0, 1.0, 1.0 - (faderY - 9) / 152.0);
        return std::round (proportion * 2241.0) / 2241.0;
    }

    float hostValueForPosition (double position)
    {
        return (float) ((FaderPositionToDecibel (position) + 80.0) / 92.0);
    }
}

TEST_F (Faders, pressOnAKnobTakesThePointerEightPixelsHigher)
{
    // Editor y of the press; the knob starts at y 0 and the fader at y 40.
    for (const auto y : { 35, 57, 96, 130, 170, 209, 221 })
    {
        pauseBetweenClicks();
        moveTo ({ midKnobX, y });
        pressAt ({ midKnobX, y });
        releaseAt ({ midKnobX, y });

        const auto expected = plainSliderValueAt (y - 48);
        EXPECT_DOUBLE_EQ (editor().midFader.getValue(), expected) << "press at y " << y;
        EXPECT_DOUBLE_EQ (midValue(), (double) hostValueForPosition (expected)) << "press at y " << y;
    }
}

TEST_F (Faders, dragFollowsThePointerAndEveryStepReachesTheHost)
{
    moveTo ({ midKnobX, 150 });
    pressAt ({ midKnobX, 150 });
    host.changes.clear();

    for (const auto y : { 140, 120, 100, 80 })
    {
        dragTo ({ midKnobX, y });
        EXPECT_DOUBLE_EQ (editor().midFader.getValue(), plainSliderValueAt (y - 48)) << "drag to y " << y;
    }

    releaseAt ({ midKnobX, 80 });

    ASSERT_EQ (host.changes.size(), 4u) << "one plain parameter change per step, no gestures";

    for (const auto& change : host.changes)
        EXPECT_EQ (change.index, 0);

    EXPECT_EQ (host.changes.back().value, hostValueForPosition (plainSliderValueAt (32)));
    EXPECT_EQ (processor.getMidParameter().getValue(), hostValueForPosition (plainSliderValueAt (32)));
    EXPECT_DOUBLE_EQ (sideValue(), tervane::unityValue) << "the Side level is untouched";
}

TEST_F (Faders, movingAFaderRewritesItsEntryBox)
{
    struct Case
    {
        int step;
        const char* text;
        int leftIndent;
    };

    const Case cases[] = { { 0, "-inf.   ", 15 }, { 1600, "0.00  ", 13 }, { 1599, "-0.14 ", 9 },
                           { 1601, "+0.03 ", 7 }, { 2240, "+12.00", 4 }, { 1920, "+6.00 ", 7 } };

    tick();

    for (const auto& c : cases)
    {
        // As a drag delivers it: a user change of the fader's value.
        editor().midFader.setValue (c.step / 2241.0, juce::sendNotificationSync);
        EXPECT_EQ (editor().midTextBox.getText(), c.text) << "step " << c.step;
        EXPECT_EQ (editor().midTextBox.getLeftIndent(), c.leftIndent) << "step " << c.step;
        EXPECT_EQ (editor().lastMidText, c.text) << "step " << c.step;
        EXPECT_EQ (editor().lastMidDb, (float) FADER_DB_TABLE[(size_t) c.step]) << "step " << c.step;
    }

    editor().midFader.setValue (0.0, juce::sendNotificationSync);
    EXPECT_EQ (midValue(), 0.0) << "the bottom of the fader is silence";
    EXPECT_EQ (processor.getMidParameter().getValue(), 0.0f);
}

TEST_F (Faders, doubleClickOnAKnobResetsItsLevelToZeroDecibels)
{
    processor.getMidParameter().setValueNotifyingHost (0.2f);
    processor.getSideParameter().setValueNotifyingHost (0.3f);
    tick();

    for (int click = 0; click < 2; ++click)
    {
        pressAt ({ sideKnobX, 100 });
        releaseAt ({ sideKnobX, 100 });
    }

    pump();
    EXPECT_EQ (sideValue(), (double) 0.8695652f) << "0 dB, as the host holds it";
    EXPECT_EQ (host.changes.back().index, 1);
    EXPECT_EQ (host.changes.back().value, 0.8695652f);
    EXPECT_EQ (editor().lastSideDb, 0.0f);
    EXPECT_DOUBLE_EQ (midValue(), (double) 0.2f) << "the other level is untouched";

    tick();
    EXPECT_DOUBLE_EQ (editor().sideFader.getValue(), 1600.0 / 2241.0);
    EXPECT_EQ (editor().sideTextBox.getText(), "0.00  ");
}

TEST_F (Faders, sideFaderMovesBothSideHandlesAndTheHandlesMoveTheFader)
{
    moveTo ({ sideKnobX, 120 });
    pressAt ({ sideKnobX, 120 });
    releaseAt ({ sideKnobX, 120 });
    pump();

    const auto v = editor().sideFader.getValue();
    EXPECT_DOUBLE_EQ (v, plainSliderValueAt (72));
    EXPECT_DOUBLE_EQ (editor().plusSideGraphicalSlider.getValue(), 1.0 - v);
    EXPECT_DOUBLE_EQ (editor().minusSideGraphicalSlider.getValue(), v);
    EXPECT_DOUBLE_EQ (sideValue(), (double) hostValueForPosition (v));

    editor().plusSideGraphicalSlider.setValue (700.0 / 2241.0, juce::sendNotificationSync);
    pump();
    EXPECT_DOUBLE_EQ (editor().sideFader.getValue(), 1541.0 / 2241.0);
    EXPECT_DOUBLE_EQ (editor().minusSideGraphicalSlider.getValue(), 1541.0 / 2241.0) << "both lobes keep one size";
    EXPECT_DOUBLE_EQ (sideValue(), (double) hostValueForPosition (1541.0 / 2241.0));
    juce::String shown;
    const auto dB = ValueToDecibels (sideValue());
    JuceDemoPluginAudioProcessorEditor::FormatTextFromDecibel (shown, (float) dB, dB > 0.0, false);
    EXPECT_EQ (editor().sideTextBox.getText().trim(), shown) << "the box follows once the fader's own change arrives";
}

TEST_F (Faders, midFaderAndMidHandleShareOneValue)
{
    editor().midFader.setValue (0.5, juce::sendNotificationSync);
    EXPECT_DOUBLE_EQ (editor().midGraphicalSlider.getValue(), editor().midFader.getValue());

    editor().midGraphicalSlider.setValue (0.25, juce::sendNotificationSync);
    EXPECT_DOUBLE_EQ (editor().midFader.getValue(), editor().midGraphicalSlider.getValue());
    EXPECT_DOUBLE_EQ (midValue(), (double) hostValueForPosition (editor().midFader.getValue()));
}

TEST_F (Faders, capFollowsTheThumbWithItsGripLineFivePixelsBelow)
{
    for (const auto step : { 0, 320, 1600, 2240 })
    {
        editor().midFader.setValue (step / 2241.0, juce::dontSendNotification);
        // Painting the fader is what reports its thumb.
        juce::ignoreUnused (editor().createComponentSnapshot (editor().getLocalBounds()));

        const auto thumb = 9.0f + (float) (1.0 - step / 2241.0) * 152.0f;
        EXPECT_NEAR (editor().midKnob.thumbPos, thumb, 1.0e-3f) << "step " << step;

        // The grip line is the cap's darkest row.
        const auto gripY = (int) (editor().midKnob.thumbPos - 3.0f) + 48;
        const auto snapshot = editor().midKnob.createComponentSnapshot (editor().midKnob.getLocalBounds());
        EXPECT_LT (snapshot.getPixelAt (17, gripY).getBrightness(), 0.15f) << "step " << step;
        EXPECT_GT (snapshot.getPixelAt (17, gripY - 3).getBrightness(), 0.4f) << "step " << step;
    }
}

TEST_F (Faders, movingAFaderWhileTypingThrowsTheTypedTextAway)
{
    clickAt ({ 270, 231 });
    type ("-6");
    ASSERT_TRUE (editor().midTextBox.isCaretVisible());

    pauseBetweenClicks();
    moveTo ({ sideKnobX, 100 });
    pressAt ({ sideKnobX, 100 });
    releaseAt ({ sideKnobX, 100 });

    EXPECT_FALSE (editor().midTextBox.isCaretVisible());
    EXPECT_DOUBLE_EQ (midValue(), tervane::unityValue) << "the typed level was not committed";
    tick();
    EXPECT_EQ (editor().midTextBox.getText(), "0.00  ");
}
