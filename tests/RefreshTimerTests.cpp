// SPDX-License-Identifier: GPL-3.0-or-later
// The editor follows the processor on every tick, whatever changed it, and never writes back.
#include "EditorFixture.h"

#include "editor/FaderLaw.h"

namespace
{
    using tervane::testing::EditorFixture;
    using RefreshTimer = EditorFixture;
}

TEST_F (RefreshTimer, placesTheFadersByTheInverseLaw)
{
    struct Case
    {
        double value;
        double position;
    };

    const Case cases[] = {
        { 80.0 / 92.0, 1600.0 / 2241.0 },           // 0 dB: the step whose entry is exactly 0
        { 0.0, 0.0 },                               // silence
        { 1.0, 1.0 },                               // +12 dB: no step below the top reaches it
        { DecibelsToValue (-79.9), 1.0 / 2241.0 },  // between two steps: the higher one
        { 1.2, 1.0 },                               // a restored value beyond the scale
        { -0.1, 0.0 },
    };

    for (const auto& c : cases)
    {
        processor.parameters.midValue = c.value;
        processor.parameters.sideValue = c.value;
        tick();
        EXPECT_DOUBLE_EQ (editor().midFader.getValue(), c.position) << c.value;
        EXPECT_DOUBLE_EQ (editor().midGraphicalSlider.getValue(), c.position) << c.value;
        EXPECT_DOUBLE_EQ (editor().sideFader.getValue(), c.position) << c.value;
        EXPECT_DOUBLE_EQ (editor().minusSideGraphicalSlider.getValue(), c.position) << c.value;
        EXPECT_DOUBLE_EQ (editor().plusSideGraphicalSlider.getValue(), 1.0 - c.position) << c.value;
    }
}

TEST_F (RefreshTimer, showsEveryKindOfChangeWithinOneTick)
{
    const auto expectShown = [this] (double midDb, double sideDb, const char* midText, const char* sideText, const char* what)
    {
        tick();
        EXPECT_DOUBLE_EQ (editor().midFader.getValue(), DecibelToFaderPosition (midDb)) << what;
        EXPECT_DOUBLE_EQ (editor().midGraphicalSlider.getValue(), DecibelToFaderPosition (midDb)) << what;
        EXPECT_DOUBLE_EQ (editor().sideFader.getValue(), DecibelToFaderPosition (sideDb)) << what;
        EXPECT_DOUBLE_EQ (editor().minusSideGraphicalSlider.getValue(), DecibelToFaderPosition (sideDb)) << what;
        EXPECT_EQ (editor().midTextBox.getText(), midText) << what;
        EXPECT_EQ (editor().sideTextBox.getText(), sideText) << what;
    };

    processor.setCurrentProgram (4);    // "90 deg.": Mid 0 dB, Side -6 dB
    expectShown (0.0, -6.0, "0.00  ", "-6.00 ", "program change");

    processor.getMidParameter().setValueNotifyingHost ((float) DecibelsToValue (-20.0));
    processor.getSideParameter().setValueNotifyingHost (0.0f);
    expectShown (ValueToDecibels ((double) (float) DecibelsToValue (-20.0)), -80.0, "-20.00", "-inf.   ", "host automation");

    JuceDemoPluginAudioProcessor other;
    other.parameters.midValue = DecibelsToValue (6.0);
    other.parameters.sideValue = DecibelsToValue (12.0);
    juce::MemoryBlock state;
    other.getStateInformation (state);
    processor.setStateInformation (state.getData(), (int) state.getSize());
    expectShown (6.0, 12.0, "+6.00 ", "+12.00", "restored state");
    EXPECT_DOUBLE_EQ (editor().plusSideGraphicalSlider.getValue(), 0.0);
}

TEST_F (RefreshTimer, neverWritesAParameter)
{
    processor.parameters.midValue = DecibelsToValue (-3.3);
    processor.parameters.sideValue = 0.37;

    for (int i = 0; i < 5; ++i)
        tick();

    EXPECT_TRUE (host.changes.empty());
    EXPECT_EQ (processor.parameters.midValue.load(), DecibelsToValue (-3.3));
    EXPECT_EQ (processor.parameters.sideValue.load(), 0.37);
}

TEST_F (RefreshTimer, aDraggedStepMaySettleOneStepHigher)
{
    // The host holds the level as a float, a hair above step 1's level; the next tick shows the
    // step that level reaches, without touching the parameter.
    editor().midFader.setValue (1.0 / 2241.0, juce::sendNotificationSync);
    host.changes.clear();
    tick();
    EXPECT_DOUBLE_EQ (editor().midFader.getValue(), DecibelToFaderPosition (ValueToDecibels (midValue())));
    EXPECT_TRUE (host.changes.empty());
}

TEST_F (RefreshTimer, runsOnItsOwnEveryFiftyMilliseconds)
{
    editor().startTimer (50);
    EXPECT_EQ (editor().getTimerInterval(), 50);
    processor.getSideParameter().setValueNotifyingHost ((float) DecibelsToValue (-12.0));
    pump (200);
    EXPECT_EQ (editor().sideTextBox.getText(), "-12.00");
    EXPECT_DOUBLE_EQ (editor().sideFader.getValue(), DecibelToFaderPosition (ValueToDecibels ((double) (float) DecibelsToValue (-12.0))));
}

TEST_F (RefreshTimer, reopenedEditorShowsTheLevelsAtOnce)
{
    processor.setCurrentProgram (6);    // "150 deg.": Side +6 dB
    closeEditor();
    openEditor();
    EXPECT_EQ (editor().sideTextBox.getText(), "0.00") << "the construction text until the first tick";
    tick();
    EXPECT_EQ (editor().sideTextBox.getText(), "+6.00 ");
}
