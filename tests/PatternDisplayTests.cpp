// SPDX-License-Identifier: GPL-3.0-or-later
// The pick-up-pattern display: where the lobes are drawn for the handles' values, and how the
// editor paints them over its background.
#include "EditorFixture.h"

namespace
{
    using tervane::testing::EditorFixture;
    using PatternDisplay = EditorFixture;

    using Rect = juce::Rectangle<int>;
}

TEST (PatternLobes, rectanglesFollowTheHandles)
{
    struct Case
    {
        double v;
        Rect mid, right, left;
    };

    // v is the Mid value for the Mid lobe and the Side fader position for the Side lobes.
    const Case cases[] = {
        { 0.0, { 122, 171, 0, 0 }, { 122, 171, 0, 0 }, { 122, 171, 0, 0 } },
        { 0.25, { 107, 151, 29, 25 }, { 122, 158, 23, 22 }, { 99, 158, 23, 22 } },
        { 0.5, { 92, 132, 59, 50 }, { 122, 145, 47, 45 }, { 75, 145, 47, 45 } },
        { 0.75, { 77, 113, 88, 75 }, { 122, 132, 71, 67 }, { 51, 132, 71, 67 } },
        { 1.0, { 63, 94, 118, 100 }, { 122, 120, 95, 90 }, { 27, 120, 95, 90 } },
    };

    for (const auto& c : cases)
    {
        const auto lobes = tervane::lobeRectangles (c.v, c.v, 1.0 - c.v);
        EXPECT_EQ (lobes.mid, c.mid) << c.v;
        EXPECT_EQ (lobes.right, c.right) << c.v;
        EXPECT_EQ (lobes.left, c.left) << c.v;
    }

    // One step above silence the lobes have no size yet: nothing is drawn.
    const auto oneStep = tervane::lobeRectangles (1.0 / 2241.0, 1.0 / 2241.0, 1.0 - 1.0 / 2241.0);
    EXPECT_TRUE (oneStep.mid.isEmpty() && oneStep.right.isEmpty() && oneStep.left.isEmpty());
}

TEST_F (PatternDisplay, paintsTheBackgroundAndTheLobesAtSeventyPercent)
{
    const auto& background = editor().imageList.getReference (9);
    const auto backgroundAt = [&] (int x, int y) { return background.getPixelAt (x + 9, y + 10); };

    // Both levels silent: the display is the bare background.
    processor.parameters.midValue = 0.0;
    processor.parameters.sideValue = 0.0;
    tick();
    auto image = editor().createComponentSnapshot (editor().getLocalBounds());

    for (const auto& p : { juce::Point<int> (122, 120), juce::Point<int> (60, 150), juce::Point<int> (190, 150) })
        EXPECT_EQ (image.getPixelAt (p.x, p.y), backgroundAt (p.x, p.y)) << p.toString();

    // Full levels: the lobes cover those points, blended over the background.
    processor.parameters.midValue = 1.0;
    processor.parameters.sideValue = 1.0;
    tick();
    image = editor().createComponentSnapshot (editor().getLocalBounds());

    const auto& midLobe = editor().imageList.getReference (8);

    for (const auto& p : { juce::Point<int> (122, 120), juce::Point<int> (60, 150), juce::Point<int> (190, 150) })
    {
        const auto shown = image.getPixelAt (p.x, p.y);
        EXPECT_NE (shown, backgroundAt (p.x, p.y)) << p.toString();
        EXPECT_GT (shown.getFloatBlue(), backgroundAt (p.x, p.y).getFloatBlue()) << p.toString();
    }

    // An opaque lobe pixel shows at 70 %: the result lies between the lobe and the background.
    const auto lobePixel = midLobe.getPixelAt (59, 40);
    ASSERT_EQ (lobePixel.getAlpha(), 255);
    const auto expectedBlue = 0.7f * lobePixel.getFloatBlue() + 0.3f * backgroundAt (122, 141).getFloatBlue();
    EXPECT_NEAR (image.getPixelAt (122, 141).getFloatBlue(), expectedBlue, 0.03f);

    // The edges of the editor show the white-to-grey gradient where the background is clear.
    EXPECT_GT (image.getPixelAt (0, 5).getBrightness(), 0.9f);
    EXPECT_LT (image.getPixelAt (0, 475).getBrightness(), 0.55f);
}
