// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** The pattern display's drag handles: a bare thumb, no track. */
class GraphicalMSLookAndFeel final : public juce::LookAndFeel_V2
{
public:
    GraphicalMSLookAndFeel();
    ~GraphicalMSLookAndFeel() override;

    void drawLinearSliderBackground (juce::Graphics&, int x, int y, int width, int height,
                                     float sliderPos, float minSliderPos, float maxSliderPos,
                                     juce::Slider::SliderStyle, juce::Slider&) override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (GraphicalMSLookAndFeel)
};

namespace tervane
{
    /** Where the pattern display draws its three lobes, for the handles' values. All three meet at
        (122, 171). */
    struct LobeRectangles
    {
        juce::Rectangle<int> mid, right, left;
    };

    LobeRectangles lobeRectangles (double midValue, double minusSideValue, double plusSideValue);
}
