// SPDX-License-Identifier: GPL-3.0-or-later
#include "PluginEditor.h"

#include "BinaryData.h"

namespace
{
    // Every lobe keeps one point of its image here, whatever its size: the Mid lobe's notch and
    // the Side lobes' inner tips.
    constexpr float centreX = 122.0f;
    constexpr float centreY = 171.0f;

    constexpr float lobeOpacity = 0.7f;

    void drawWhole (juce::Graphics& g, const juce::Image& image, juce::Rectangle<int> area)
    {
        if (image.isValid() && ! area.isEmpty())
            g.drawImage (image, area.getX(), area.getY(), area.getWidth(), area.getHeight(),
                         0, 0, image.getWidth(), image.getHeight());
    }
}

//==============================================================================
GraphicalMSLookAndFeel::GraphicalMSLookAndFeel() = default;

GraphicalMSLookAndFeel::~GraphicalMSLookAndFeel() = default;

void GraphicalMSLookAndFeel::drawLinearSliderBackground (juce::Graphics&, int, int, int, int, float, float, float,
                                                         juce::Slider::SliderStyle, juce::Slider&)
{
}

//==============================================================================
tervane::LobeRectangles tervane::lobeRectangles (double midValue, double minusSideValue, double plusSideValue)
{
    LobeRectangles lobes;

    // The Mid lobe is drawn 118 x 100 at full size, its notch 16/21 of its height down.
    const auto e = (float) midValue * 100.0f;
    const auto width = 118.0f * e / 100.0f;
    lobes.mid = { (int) (width * -0.5f + centreX), (int) (e * 5.0f / 21.0f + (centreY - e)), (int) width, (int) e };

    // Each Side lobe is 95 x 90 at full size, its tip 13/23 of its height down.
    const auto m = (float) minusSideValue * 95.0f;
    const auto o = m * 90.0f / 95.0f;
    lobes.right = { (int) centreX, (int) (o * 10.0f / 23.0f + (centreY - o)), (int) m, (int) o };

    const auto w = (float) (1.0 - plusSideValue) * 95.0f;
    const auto a = w * 90.0f / 95.0f;
    lobes.left = { (int) centreX - (int) w, (int) (a * 10.0f / 23.0f + (centreY - a)), (int) w, (int) a };

    return lobes;
}

//==============================================================================
void JuceDemoPluginAudioProcessorEditor::paint (juce::Graphics& g)
{
    // The gradient and the background picture never change for an editor of a given size, and
    // both are opaque together: composed once, they are copied on every paint instead of being
    // blended again 20 times a second.
    if (backgroundCache.getWidth() != getWidth() || backgroundCache.getHeight() != getHeight())
    {
        backgroundCache = juce::Image (juce::Image::RGB, getWidth(), getHeight(), false);
        juce::Graphics cache (backgroundCache);
        cache.setGradientFill (juce::ColourGradient (juce::Colour (0xffffffff), 0.0f, 0.0f,
                                                     juce::Colour (0xff808080), 0.0f, (float) getHeight(), false));
        cache.fillAll();

        if (imageList[9].isValid())
            cache.drawImageAt (imageList[9], -9, -10);
    }

    g.drawImageAt (backgroundCache, 0, 0);
    g.setOpacity (lobeOpacity);

    const auto lobes = tervane::lobeRectangles (midGraphicalSlider.getValue(),
                                                minusSideGraphicalSlider.getValue(),
                                                plusSideGraphicalSlider.getValue());

    drawWhole (g, juce::ImageCache::getFromMemory (BinaryData::temp9, BinaryData::temp9Size), lobes.mid);
    drawWhole (g, juce::ImageCache::getFromMemory (BinaryData::temp8, BinaryData::temp8Size), lobes.right);
    drawWhole (g, juce::ImageCache::getFromMemory (BinaryData::temp7, BinaryData::temp7Size), lobes.left);
}
