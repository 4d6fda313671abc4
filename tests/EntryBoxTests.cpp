// SPDX-License-Identifier: GPL-3.0-or-later
// The dB entry boxes under the faders, typed into with real clicks and key presses.
#include "EditorFixture.h"

namespace
{
    using tervane::testing::EditorFixture;

    const juce::Point<int> midBox { 270, 231 };
    const juce::Point<int> sideBox { 340, 231 };
    const juce::Point<int> background { 420, 300 };

    class EntryBoxes : public EditorFixture
    {
    protected:
        void SetUp() override
        {
            EditorFixture::SetUp();
            processor.getMidParameter().setValueNotifyingHost ((float) DecibelsToValue (3.0));
            tick();
            host.changes.clear();
        }

        void clickInto (juce::Point<int> p)
        {
            pauseBetweenClicks();
            clickAt (p);
        }
    };
}

TEST_F (EntryBoxes, clickSelectsTheLevelAndReturnCommitsTheTypedOne)
{
    ASSERT_EQ (editor().midTextBox.getText(), "+3.00 ");

    clickInto (midBox);
    auto& box = editor().midTextBox;
    EXPECT_TRUE (box.isCaretVisible()) << "edit mode";
    EXPECT_TRUE (box.hasFocus);
    EXPECT_EQ (box.getText(), "+3.00");
    EXPECT_EQ (box.getLeftIndent(), 4);
    EXPECT_EQ (box.getHighlightedRegion(), juce::Range<int> (0, 5));
    EXPECT_EQ (editor().lastMidText, "+3.00");
    EXPECT_EQ (editor().lastMidDb, 3.0f);

    type ("-6");
    pressKey (juce::KeyPress::returnKey);

    EXPECT_DOUBLE_EQ (midValue(), (double) (float) DecibelsToValue (-6.0)) << "the host's float is stored";
    ASSERT_EQ (host.changes.size(), 1u);
    EXPECT_EQ (host.changes[0].index, 0);
    EXPECT_EQ (host.changes[0].value, (float) DecibelsToValue (-6.0));
    EXPECT_EQ (box.getText(), "-6.00 ");
    EXPECT_EQ (box.getLeftIndent(), 9);
    EXPECT_FALSE (box.isCaretVisible());
    EXPECT_FALSE (box.hasKeyboardFocus (false)) << "the focus moves on";
    EXPECT_TRUE (editor().sideTextBox.hasKeyboardFocus (false));
}

TEST_F (EntryBoxes, committedTextIsShownInNormalFormThenAsTheLevel)
{
    struct Case
    {
        const char* typed;
        const char* shownAtOnce;
        const char* shownAfterATick;
        double decibels;
    };

    const Case cases[] = {
        { "5", "+5.00 ", "+5.00 ", 5.0 },
        { "5.", "5.00  ", "+5.00 ", 5.0 },
        { "12", "12.00 ", "+12.00", 12.0 },
        { "20", "+12.00", "+12.00", 12.0 },
        { "-95", "-inf.   ", "-inf.   ", -80.0 },
        { "-0", "0.00  ", "0.00  ", 0.0 },
        { "--5", "+3.00 ", "+3.00 ", 3.0 },
        { "1.2.3", "+3.00 ", "+3.00 ", 3.0 },
        { ".", "+3.00 ", "+3.00 ", 3.0 },
    };

    for (const auto& c : cases)
    {
        processor.getMidParameter().setValueNotifyingHost ((float) DecibelsToValue (3.0));
        tick();
        host.changes.clear();

        clickInto (midBox);
        type (c.typed);
        pressKey (juce::KeyPress::returnKey);

        EXPECT_EQ (editor().midTextBox.getText(), c.shownAtOnce) << c.typed;
        EXPECT_DOUBLE_EQ (midValue(), (double) (float) DecibelsToValue (c.decibels)) << c.typed;
        ASSERT_EQ (host.changes.size(), 1u) << "every commit reaches the host, also an unchanged one: " << c.typed;
        tick();
        EXPECT_EQ (editor().midTextBox.getText(), c.shownAfterATick) << c.typed;
    }
}

TEST_F (EntryBoxes, returnOnAnUnchangedBoxSendsTheLevelAgain)
{
    clickInto (midBox);
    pressKey (juce::KeyPress::returnKey);
    ASSERT_EQ (host.changes.size(), 1u);
    EXPECT_EQ (host.changes[0].value, (float) DecibelsToValue (3.0));
}

TEST_F (EntryBoxes, inputFilterRefusesOtherCharactersAndASeventh)
{
    clickInto (sideBox);
    type ("1a2 b3,.4-+5678");
    EXPECT_EQ (editor().sideTextBox.getText(), "123.4-");
}

TEST_F (EntryBoxes, escapeRestoresTheTextAndLeavesTheLevel)
{
    clickInto (midBox);
    type ("-20");
    pressKey (juce::KeyPress::escapeKey);

    EXPECT_EQ (editor().midTextBox.getText(), "+3.00 ");
    EXPECT_TRUE (host.changes.empty());
    EXPECT_FALSE (editor().midTextBox.hasFocus);
    EXPECT_TRUE (editor().midTextBox.isCaretVisible()) << "the next tick ends the edit";

    tick();
    EXPECT_FALSE (editor().midTextBox.isCaretVisible());
    tick();
    EXPECT_EQ (editor().midTextBox.getText(), "+3.00 ");
    EXPECT_DOUBLE_EQ (midValue(), (double) (float) DecibelsToValue (3.0));
}

TEST_F (EntryBoxes, clickOnTheOtherBoxCommitsAndSwitches)
{
    clickInto (midBox);
    type ("-6");
    clickInto (sideBox);

    EXPECT_DOUBLE_EQ (midValue(), (double) (float) DecibelsToValue (-6.0));
    EXPECT_FALSE (editor().midTextBox.isCaretVisible());
    EXPECT_EQ (editor().midTextBox.getHighlightedRegion(), juce::Range<int> (0, 0));
    EXPECT_EQ (editor().midTextBox.getCaretPosition(), 0);
    EXPECT_TRUE (editor().sideTextBox.isCaretVisible());
    EXPECT_TRUE (editor().sideTextBox.hasKeyboardFocus (false));
}

TEST_F (EntryBoxes, clickInTheBoxBeingEditedChangesNothingElse)
{
    clickInto (midBox);
    type ("1");
    clickInto (midBox);
    EXPECT_TRUE (editor().midTextBox.isCaretVisible());
    EXPECT_TRUE (host.changes.empty());
    EXPECT_FALSE (editor().sideTextBox.isCaretVisible());
}

TEST_F (EntryBoxes, clickElsewhereCommits)
{
    // The surface, a meter and the version label all reach the editor.
    for (const auto& p : { background, juce::Point<int> (402, 120), juce::Point<int> (310, 25) })
    {
        clickInto (sideBox);
        type ("-12");
        clickInto (p);

        EXPECT_DOUBLE_EQ (sideValue(), (double) (float) DecibelsToValue (-12.0)) << p.toString();
        EXPECT_FALSE (editor().sideTextBox.isCaretVisible()) << p.toString();

        processor.getSideParameter().setValueNotifyingHost ((float) tervane::unityValue);
        tick();
    }
}

TEST_F (EntryBoxes, losingTheFocusOtherwiseDiscardsTheEdit)
{
    clickInto (midBox);
    type ("-30");
    pressKey (juce::KeyPress::tabKey);
    ASSERT_FALSE (editor().midTextBox.hasFocus);

    tick();
    EXPECT_FALSE (editor().midTextBox.isCaretVisible());
    EXPECT_EQ (editor().midTextBox.getText(), "-30") << "the text stays for this tick";
    tick();
    EXPECT_EQ (editor().midTextBox.getText(), "+3.00 ");
    EXPECT_TRUE (host.changes.empty());
}

TEST_F (EntryBoxes, typedTextStaysWhileTheLevelIsAutomated)
{
    clickInto (midBox);
    type ("-1");
    processor.getMidParameter().setValueNotifyingHost ((float) DecibelsToValue (-10.0));
    processor.getSideParameter().setValueNotifyingHost ((float) DecibelsToValue (6.0));
    tick();

    EXPECT_EQ (editor().midTextBox.getText(), "-1");
    EXPECT_DOUBLE_EQ (editor().midFader.getValue(), 960.0 / 2241.0) << "the fader follows the automation";
    EXPECT_EQ (editor().sideTextBox.getText(), "+6.00 ") << "the other box keeps following";
}
