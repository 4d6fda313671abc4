// SPDX-License-Identifier: GPL-3.0-or-later
// What the editor itself does with the mouse: the pattern display's handles, and ending edits
// when the pointer leaves the window.
#include "EditorFixture.h"

namespace
{
    using tervane::testing::EditorFixture;

    class EditorMouse : public EditorFixture
    {
    protected:
        bool handlesShown() const
        {
            auto& e = editor();
            const auto shown = e.midGraphicalSlider.isVisible();
            EXPECT_EQ (e.plusSideGraphicalSlider.isVisible(), shown);
            EXPECT_EQ (e.minusSideGraphicalSlider.isVisible(), shown);
            EXPECT_EQ (e.midGraphicalSlider.getParentComponent() == &e, shown);
            EXPECT_EQ (e.minusSideGraphicalSlider.getParentComponent() == &e, shown);
            return shown;
        }

        /** The window's own exit, as X reports it when the pointer leaves it. */
        void leaveWindowTo (juce::Point<int> outside)
        {
            sendMouse (outside, {});
            pump();
        }
    };
}

TEST_F (EditorMouse, handlesAppearOverThePatternDisplayOnly)
{
    moveTo ({ 300, 300 });
    EXPECT_FALSE (handlesShown());

    moveTo ({ 217, 245 });
    EXPECT_TRUE (handlesShown());

    // In front of everything else, in their order.
    const auto& children = editor().getChildren();
    ASSERT_GE (children.size(), 3);
    EXPECT_EQ (children[children.size() - 3], &editor().midGraphicalSlider);
    EXPECT_EQ (children[children.size() - 2], &editor().plusSideGraphicalSlider);
    EXPECT_EQ (children[children.size() - 1], &editor().minusSideGraphicalSlider);

    moveTo ({ 218, 245 });
    EXPECT_FALSE (handlesShown());
    moveTo ({ 24, 57 });
    EXPECT_TRUE (handlesShown());
    moveTo ({ 217, 246 });
    EXPECT_FALSE (handlesShown());
}

TEST_F (EditorMouse, movingOntoAHandleKeepsThemShown)
{
    moveTo ({ 60, 100 });
    ASSERT_TRUE (handlesShown());
    moveTo ({ 122, 130 });     // over the Mid handle: the editor sees an exit inside the display
    EXPECT_TRUE (handlesShown());
}

TEST_F (EditorMouse, draggingASideHandleWidensBothLobesAndMovesTheFader)
{
    processor.parameters.sideValue = DecibelsToValue (-10.0);
    tick();
    const auto before = tervane::lobeRectangles (editor().midGraphicalSlider.getValue(),
                                                 editor().minusSideGraphicalSlider.getValue(),
                                                 editor().plusSideGraphicalSlider.getValue());

    // Grab the right handle's thumb and pull it outwards.
    const auto thumbX = 128 + 5 + (int) ((95 - 10) * editor().minusSideGraphicalSlider.getValue());
    moveTo ({ 100, 100 });
    moveTo ({ thumbX, 167 });
    pressAt ({ thumbX, 167 });
    dragTo ({ thumbX + 10, 167 });
    dragTo ({ thumbX + 25, 167 });
    releaseAt ({ thumbX + 25, 167 });
    pump();

    const auto after = tervane::lobeRectangles (editor().midGraphicalSlider.getValue(),
                                                editor().minusSideGraphicalSlider.getValue(),
                                                editor().plusSideGraphicalSlider.getValue());
    EXPECT_GT (after.right.getWidth(), before.right.getWidth());
    EXPECT_EQ (after.left.getWidth(), after.right.getWidth()) << "both lobes keep one size";
    EXPECT_DOUBLE_EQ (editor().sideFader.getValue(), editor().minusSideGraphicalSlider.getValue());
    EXPECT_GT (sideValue(), DecibelsToValue (-10.0));
    ASSERT_FALSE (host.changes.empty());
    EXPECT_EQ (host.changes.back().index, 1);
}

TEST_F (EditorMouse, leavingTheWindowFromItsSurfaceCommitsAndDropsTheFocus)
{
    clickAt ({ 270, 231 });
    type ("-9");
    moveTo ({ 420, 300 });
    leaveWindowTo ({ 420, 500 });

    EXPECT_DOUBLE_EQ (midValue(), (double) (float) DecibelsToValue (-9.0));
    EXPECT_FALSE (editor().midTextBox.isCaretVisible());
    EXPECT_FALSE (editor().sideTextBox.isCaretVisible());
    EXPECT_FALSE (editor().midTextBox.hasFocus);
    EXPECT_FALSE (editor().midTextBox.hasKeyboardFocus (false));
}

TEST_F (EditorMouse, leavingFromABoxOrAKnobKeepsTheEdit)
{
    for (const auto& from : { juce::Point<int> (270, 231), juce::Point<int> (280, 100) })
    {
        pauseBetweenClicks();
        clickAt ({ 340, 231 });
        type ("-9");
        moveTo (from);
        leaveWindowTo ({ from.x, 500 });

        EXPECT_TRUE (editor().sideTextBox.isCaretVisible()) << from.toString();
        EXPECT_TRUE (editor().sideTextBox.hasFocus) << from.toString();
        EXPECT_DOUBLE_EQ (sideValue(), tervane::unityValue) << from.toString();

        pressKey (juce::KeyPress::escapeKey);
        tick();
        tick();
    }
}
