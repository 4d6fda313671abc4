// SPDX-License-Identifier: GPL-3.0-or-later
// Draws the editor's artwork: the background with its printed scales and block diagram, the LEDs,
// the pattern lobes, the fader cap and the entry-box face. The output is the same on every run.
//
// tervane-make-artwork OUTPUT_DIRECTORY

#include <juce_graphics/juce_graphics.h>

#include <cmath>
#include <cstdio>

namespace
{
    const juce::File fontDirectory ("/usr/share/fonts/truetype/dejavu");

    // Light falls from the top left on every part of the panel.
    const juce::Colour panelTop (0xff34373c);
    const juce::Colour panelBottom (0xff212327);
    const juce::Colour printColour (0xffd9dde3);
    const juce::Colour dimPrintColour (0xff9aa1ab);
    const juce::Colour accentColour (0xff58a6ff);

    //==============================================================================
    // Geometry the controls impose on the background, in editor coordinates.
    constexpr int editorWidth = 472;
    constexpr int editorHeight = 480;
    constexpr int backgroundOffsetX = 9;
    constexpr int backgroundOffsetY = 10;

    const juce::Rectangle<int> patternWindow { 24, 59, 196, 187 };    // x 24..219, y 59..245
    constexpr float patternCentreX = 122.0f;
    constexpr float patternCentreY = 171.0f;

    constexpr int midSlotX = 279;       // slot x 279..282
    constexpr int sideSlotX = 347;      // slot x 347..350
    constexpr int slotWidth = 4;
    constexpr int meterLeftX = 396;     // slot x 396..407
    constexpr int meterRightX = 427;    // slot x 427..438
    constexpr int meterSlotWidth = 12;
    constexpr int meterTop = 52;
    constexpr int ledSize = 11;
    constexpr int ledRowOffsets[17] = { 165, 154, 144, 134, 124, 113, 103, 93, 82, 72, 62, 52, 41, 31, 21, 10, 0 };

    // A fader stands at step s of 2241 when its value is s / 2241. Its thumb is drawn 9 px in from
    // either end of the 170 px fader at y 40, and the cap's grip line lies in row 48 of the cap
    // image, whose top is the thumb position less 3 px, truncated.
    int gripLineY (int step)
    {
        const auto proportion = (double) step / 2241.0;
        const auto sliderPos = (float) (9.0 + (1.0 - proportion) * 152.0);
        return (int) (sliderPos - 3.0f) + 48;
    }

    int ledCentreY (int led) { return meterTop + ledRowOffsets[led] + ledSize / 2; }

    //==============================================================================
    juce::Typeface::Ptr loadTypeface (const juce::String& fileName)
    {
        juce::MemoryBlock data;

        if (! fontDirectory.getChildFile (fileName).loadFileAsData (data))
        {
            std::fprintf (stderr, "tervane-make-artwork: cannot read %s\n",
                          fontDirectory.getChildFile (fileName).getFullPathName().toRawUTF8());
            std::exit (1);
        }

        return juce::Typeface::createSystemTypefaceFor (data.getData(), data.getSize());
    }

    struct Fonts
    {
        juce::Typeface::Ptr regular = loadTypeface ("DejaVuSans.ttf");
        juce::Typeface::Ptr bold = loadTypeface ("DejaVuSans-Bold.ttf");
        juce::Typeface::Ptr condensedBold = loadTypeface ("DejaVuSansCondensed-Bold.ttf");

        juce::Font make (const juce::Typeface::Ptr& face, float height, float kerning = 0.0f) const
        {
            return juce::Font (face).withHeight (height).withExtraKerningFactor (kerning);
        }
    };

    void text (juce::Graphics& g, const juce::Font& font, juce::Colour colour, const juce::String& s,
               juce::Rectangle<float> area, juce::Justification justification)
    {
        g.setFont (font);
        g.setColour (colour);
        g.drawText (s, area, justification, false);
    }

    // Printed text with a faint dark edge below, as if screened onto the brushed metal.
    void printed (juce::Graphics& g, const juce::Font& font, juce::Colour colour, const juce::String& s,
                  juce::Rectangle<float> area, juce::Justification justification)
    {
        text (g, font, juce::Colours::black.withAlpha (0.55f), s, area.translated (0.0f, 1.0f), justification);
        text (g, font, colour, s, area, justification);
    }

    //==============================================================================
    void brushedPanel (juce::Image& image, juce::Rectangle<int> area)
    {
        juce::Random random (0x7e7a0e64);
        juce::Image::BitmapData pixels (image, juce::Image::BitmapData::readWrite);

        for (int y = area.getY(); y < area.getBottom(); ++y)
        {
            const auto rowShade = (random.nextFloat() - 0.5f) * 0.05f;
            auto streak = 0.0f;

            for (int x = area.getX(); x < area.getRight(); ++x)
            {
                // Horizontal brushing: noise smoothed along the row.
                streak = streak * 0.92f + (random.nextFloat() - 0.5f) * 0.08f;
                const auto t = (float) (y - area.getY()) / (float) area.getHeight();
                auto colour = panelTop.interpolatedWith (panelBottom, t);
                colour = colour.withMultipliedBrightness (1.0f + rowShade + streak * 0.9f);
                pixels.setPixelColour (x, y, colour);
            }
        }
    }

    void recess (juce::Graphics& g, juce::Rectangle<float> area, float corner, juce::Colour fill)
    {
        g.setColour (juce::Colours::black.withAlpha (0.45f));
        g.fillRoundedRectangle (area.expanded (1.0f), corner + 1.0f);
        g.setColour (fill);
        g.fillRoundedRectangle (area, corner);
        // Lit from above: a dark upper lip, a light lower one.
        g.setColour (juce::Colours::white.withAlpha (0.10f));
        g.drawLine (area.getX() + corner, area.getBottom() + 1.0f, area.getRight() - corner, area.getBottom() + 1.0f, 1.0f);
        g.setColour (juce::Colours::black.withAlpha (0.35f));
        g.drawLine (area.getX() + corner, area.getY() + 0.5f, area.getRight() - corner, area.getY() + 0.5f, 1.0f);
    }

    void slot (juce::Graphics& g, int x, int width, int top, int bottom)
    {
        const juce::Rectangle<float> area ((float) x, (float) top, (float) width, (float) (bottom - top));
        g.setColour (juce::Colours::white.withAlpha (0.12f));
        g.fillRoundedRectangle (area.expanded (1.0f).translated (0.0f, 1.0f), 2.5f);
        g.setColour (juce::Colours::black.withAlpha (0.7f));
        g.fillRoundedRectangle (area.expanded (1.0f), 2.5f);
        g.setColour (juce::Colour (0xff050506));
        g.fillRoundedRectangle (area, 2.0f);
    }

    //==============================================================================
    void drawLogo (juce::Graphics& g, const Fonts& fonts)
    {
        // A small badge: two overlapping rings, the Mid and Side capsules seen from above.
        const juce::Point<float> centre (36.0f, 30.0f);
        juce::ColourGradient ring (accentColour.brighter (0.4f), centre.x, centre.y - 12.0f,
                                   accentColour.darker (0.6f), centre.x, centre.y + 12.0f, false);
        g.setGradientFill (ring);
        g.drawEllipse (centre.x - 11.0f, centre.y - 11.0f, 22.0f, 22.0f, 2.4f);
        g.setColour (printColour);
        g.fillEllipse (centre.x - 3.0f, centre.y - 3.0f, 6.0f, 6.0f);
        g.drawEllipse (centre.x - 6.5f, centre.y - 6.5f, 13.0f, 13.0f, 1.2f);

        printed (g, fonts.make (fonts.bold, 21.0f, 0.12f), printColour, "ORVA", { 54.0f, 13.0f, 110.0f, 22.0f },
                 juce::Justification::centredLeft);
        printed (g, fonts.make (fonts.regular, 12.5f, 0.04f), dimPrintColour, "Tervane 64bit  M/S Decoder",
                 { 55.0f, 34.0f, 200.0f, 15.0f }, juce::Justification::centredLeft);
    }

    void drawPatternWindow (juce::Graphics& g, const Fonts& fonts)
    {
        const auto area = patternWindow.toFloat();
        recess (g, area, 4.0f, juce::Colour (0xff0b1a33));

        juce::ColourGradient glow (juce::Colour (0xff16305a), patternCentreX, patternCentreY - 20.0f,
                                   juce::Colour (0xff0a1730), area.getX(), area.getY(), true);
        g.setGradientFill (glow);
        g.fillRoundedRectangle (area.reduced (1.0f), 3.5f);

        g.saveState();
        g.reduceClipRegion (patternWindow.reduced (2));

        // Polar grid around the capsules' position.
        g.setColour (juce::Colour (0xff2c4f82).withAlpha (0.55f));

        for (const auto radius : { 25.0f, 50.0f, 75.0f, 100.0f })
            g.drawEllipse (patternCentreX - radius, patternCentreY - radius, radius * 2.0f, radius * 2.0f, 1.0f);

        for (int degrees = 0; degrees < 180; degrees += 30)
        {
            const auto angle = juce::degreesToRadians ((float) degrees);
            const auto dx = std::cos (angle) * 140.0f;
            const auto dy = std::sin (angle) * 140.0f;
            g.drawLine (patternCentreX - dx, patternCentreY - dy, patternCentreX + dx, patternCentreY + dy, degrees % 90 == 0 ? 1.0f : 0.6f);
        }

        g.restoreState();

        const auto small = fonts.make (fonts.bold, 9.0f, 0.1f);
        text (g, small, juce::Colour (0xff7fa6d8), "FRONT", { patternCentreX - 30.0f, area.getY() + 3.0f, 60.0f, 11.0f },
              juce::Justification::centred);
        text (g, small, juce::Colour (0xff7fa6d8), "L", { area.getX() + 4.0f, patternCentreY - 16.0f, 12.0f, 11.0f },
              juce::Justification::centredLeft);
        text (g, small, juce::Colour (0xff7fa6d8), "R", { area.getRight() - 14.0f, patternCentreY - 16.0f, 10.0f, 11.0f },
              juce::Justification::centredRight);

        g.setColour (juce::Colour (0xffb9d4f5));
        g.fillEllipse (patternCentreX - 2.0f, patternCentreY - 2.0f, 4.0f, 4.0f);
    }

    void drawFaderScale (juce::Graphics& g, const Fonts& fonts, int slotX, const juce::String& name)
    {
        const auto top = gripLineY (2240) - 6;
        const auto bottom = gripLineY (0) + 6;
        slot (g, slotX, slotWidth, top, bottom);

        const char* marks[] = { "\xe2\x88\x92\xe2\x88\x9e", "\xe2\x88\x92" "40", "\xe2\x88\x92" "20", "\xe2\x88\x92" "10",
                                "\xe2\x88\x92" "5", "0", "+6", "+12" };
        const auto font = fonts.make (fonts.condensedBold, 10.0f);
        const auto centreX = (float) slotX + (float) slotWidth * 0.5f;

        for (int i = 0; i < 8; ++i)
        {
            const auto y = (float) gripLineY (i * 320) + 0.5f;
            const auto major = i == 0 || i == 5 || i == 7;
            g.setColour (major ? printColour : dimPrintColour);
            g.fillRect (juce::Rectangle<float> (centreX - 14.0f, y - 0.5f, 6.0f, 1.0f));
            g.fillRect (juce::Rectangle<float> (centreX + 8.0f, y - 0.5f, 6.0f, 1.0f));
            printed (g, font, major ? printColour : dimPrintColour, juce::String (juce::CharPointer_UTF8 (marks[i])),
                     { centreX - 40.0f, y - 6.0f, 24.0f, 12.0f }, juce::Justification::centredRight);
        }

        // Minor ticks halfway between the marks.
        g.setColour (dimPrintColour.withAlpha (0.6f));

        for (int i = 0; i < 7; ++i)
        {
            const auto y = (float) gripLineY (i * 320 + 160) + 0.5f;
            g.fillRect (juce::Rectangle<float> (centreX - 12.0f, y - 0.5f, 3.0f, 1.0f));
            g.fillRect (juce::Rectangle<float> (centreX + 9.0f, y - 0.5f, 3.0f, 1.0f));
        }

        printed (g, fonts.make (fonts.bold, 11.0f, 0.12f), printColour, name,
                 { centreX - 30.0f, 243.0f, 60.0f, 13.0f }, juce::Justification::centred);
    }

    void drawMeterScale (juce::Graphics& g, const Fonts& fonts)
    {
        for (const auto x : { meterLeftX, meterRightX })
            slot (g, x, meterSlotWidth, meterTop - 2, meterTop + 176 + 2);

        const auto font = fonts.make (fonts.condensedBold, 9.5f);
        const auto centreX = (float) (meterLeftX + meterSlotWidth + meterRightX) * 0.5f;

        for (int dB = 0; dB >= -48; dB -= 6)
        {
            const auto led = (dB + 48) / 3;
            const auto y = (float) ledCentreY (led) + 0.5f;
            const auto label = dB == 0 ? juce::String ("0") : juce::String (juce::CharPointer_UTF8 ("\xe2\x88\x92")) + juce::String (-dB);
            printed (g, font, dB >= -6 ? juce::Colour (0xffffd27a) : printColour, label,
                     { centreX - 9.0f, y - 6.0f, 18.0f, 12.0f }, juce::Justification::centred);
        }

        const auto labelFont = fonts.make (fonts.bold, 11.0f, 0.12f);
        printed (g, labelFont, printColour, "OUT", { centreX - 30.0f, 34.0f, 60.0f, 13.0f }, juce::Justification::centred);
        printed (g, labelFont, printColour, "L", { (float) meterLeftX - 4.0f, 232.0f, 20.0f, 13.0f }, juce::Justification::centred);
        printed (g, labelFont, printColour, "R", { (float) meterRightX - 4.0f, 232.0f, 20.0f, 13.0f }, juce::Justification::centred);
        printed (g, fonts.make (fonts.regular, 8.0f), dimPrintColour, "dBFS", { centreX - 15.0f, 243.0f, 30.0f, 11.0f },
                 juce::Justification::centred);
    }

    //==============================================================================
    void arrow (juce::Graphics& g, juce::Point<float> from, juce::Point<float> to)
    {
        juce::Path p;
        p.addArrow ({ from, to }, 1.2f, 6.0f, 6.0f);
        g.fillPath (p);
    }

    void line (juce::Graphics& g, std::initializer_list<juce::Point<float>> points)
    {
        juce::Path p;
        auto first = true;

        for (const auto& point : points)
        {
            if (first)
                p.startNewSubPath (point);
            else
                p.lineTo (point);

            first = false;
        }

        g.strokePath (p, juce::PathStrokeType (1.2f));
    }

    void block (juce::Graphics& g, const Fonts& fonts, juce::Rectangle<float> area, const juce::String& title,
                const juce::String& caption)
    {
        g.setColour (juce::Colour (0xff17191c));
        g.fillRoundedRectangle (area, 3.0f);
        g.setColour (dimPrintColour);
        g.drawRoundedRectangle (area, 3.0f, 1.0f);
        text (g, fonts.make (fonts.bold, 10.0f, 0.08f), printColour, title, area.withHeight (area.getHeight() * 0.55f).translated (0.0f, 2.0f),
              juce::Justification::centred);

        if (caption.isNotEmpty())
            text (g, fonts.make (fonts.regular, 8.5f), dimPrintColour, caption,
                  area.withTrimmedTop (area.getHeight() * 0.5f).translated (0.0f, -2.0f), juce::Justification::centred);
    }

    void sumNode (juce::Graphics& g, juce::Point<float> centre)
    {
        g.setColour (juce::Colour (0xff17191c));
        g.fillEllipse (centre.x - 9.0f, centre.y - 9.0f, 18.0f, 18.0f);
        g.setColour (printColour);
        g.drawEllipse (centre.x - 9.0f, centre.y - 9.0f, 18.0f, 18.0f, 1.2f);
        g.drawLine (centre.x - 5.0f, centre.y, centre.x + 5.0f, centre.y, 1.4f);
        g.drawLine (centre.x, centre.y - 5.0f, centre.x, centre.y + 5.0f, 1.4f);
    }

    void drawBlockDiagram (juce::Graphics& g, const Fonts& fonts)
    {
        const juce::Rectangle<float> frame (16.0f, 262.0f, 440.0f, 168.0f);
        recess (g, frame, 5.0f, juce::Colour (0xff1d1f23));

        const auto label = fonts.make (fonts.bold, 10.0f, 0.1f);
        const auto small = fonts.make (fonts.regular, 9.0f);
        const auto range = juce::String (juce::CharPointer_UTF8 ("\xe2\x88\x92\xe2\x88\x9e to +12 dB"));

        constexpr float midY = 310.0f;
        constexpr float sideY = 386.0f;
        constexpr float sumX = 352.0f;

        text (g, label, dimPrintColour, "MS INPUT", { 24.0f, 268.0f, 90.0f, 13.0f }, juce::Justification::centredLeft);
        text (g, label, dimPrintColour, "STEREO OUTPUT", { 346.0f, 268.0f, 104.0f, 13.0f }, juce::Justification::centredRight);

        text (g, label, printColour, "MID", { 26.0f, midY - 7.0f, 40.0f, 14.0f }, juce::Justification::centredLeft);
        text (g, label, printColour, "SIDE", { 26.0f, sideY - 7.0f, 40.0f, 14.0f }, juce::Justification::centredLeft);

        g.setColour (printColour);
        arrow (g, { 58.0f, midY }, { 96.0f, midY });
        arrow (g, { 58.0f, sideY }, { 96.0f, sideY });

        block (g, fonts, { 96.0f, midY - 17.0f, 104.0f, 34.0f }, "MID LEVEL", range);
        block (g, fonts, { 96.0f, sideY - 17.0f, 104.0f, 34.0f }, "SIDE LEVEL", range);

        g.setColour (printColour);

        // Mid feeds both sums.
        line (g, { { 200.0f, midY }, { 230.0f, midY } });
        arrow (g, { 230.0f, midY }, { sumX - 9.0f, midY });
        g.fillEllipse (226.5f, midY - 3.5f, 7.0f, 7.0f);
        line (g, { { 230.0f, midY }, { 230.0f, 352.0f }, { sumX, 352.0f } });
        arrow (g, { sumX, 352.0f }, { sumX, sideY - 9.0f });

        // Side feeds the left sum directly and the right one inverted.
        line (g, { { 200.0f, sideY }, { 250.0f, sideY } });
        g.fillEllipse (246.5f, sideY - 3.5f, 7.0f, 7.0f);
        line (g, { { 250.0f, sideY }, { 250.0f, 334.0f }, { sumX, 334.0f } });
        arrow (g, { sumX, 334.0f }, { sumX, midY + 9.0f });
        arrow (g, { 250.0f, sideY }, { 276.0f, sideY });
        block (g, fonts, { 276.0f, sideY - 11.0f, 40.0f, 22.0f }, "INV", {});
        g.setColour (printColour);
        arrow (g, { 316.0f, sideY }, { sumX - 9.0f, sideY });

        sumNode (g, { sumX, midY });
        sumNode (g, { sumX, sideY });

        g.setColour (printColour);
        arrow (g, { sumX + 9.0f, midY }, { 404.0f, midY });
        arrow (g, { sumX + 9.0f, sideY }, { 404.0f, sideY });
        text (g, label, printColour, "Lch", { 408.0f, midY - 7.0f, 40.0f, 14.0f }, juce::Justification::centredLeft);
        text (g, label, printColour, "Rch", { 408.0f, sideY - 7.0f, 40.0f, 14.0f }, juce::Justification::centredLeft);

        text (g, small, dimPrintColour, "L = M + S", { 362.0f, midY - 26.0f, 84.0f, 12.0f }, juce::Justification::centredRight);
        text (g, small, dimPrintColour, juce::String (juce::CharPointer_UTF8 ("R = M \xe2\x88\x92 S")),
              { 362.0f, sideY + 14.0f, 84.0f, 12.0f }, juce::Justification::centredRight);

        printed (g, fonts.make (fonts.bold, 11.0f, 0.18f), printColour, "BLOCK DIAGRAM", { 24.0f, 440.0f, 160.0f, 14.0f },
                 juce::Justification::centredLeft);
    }

    juce::Image makeBackground (const Fonts& fonts)
    {
        juce::Image image (juce::Image::ARGB, 491, 500, true);
        const juce::Rectangle<int> panel (backgroundOffsetX + 1, backgroundOffsetY, editorWidth - 1, editorHeight);
        brushedPanel (image, panel);

        juce::Graphics g (image);
        g.setOrigin ({ backgroundOffsetX, backgroundOffsetY });

        // Bevel: a light top and left edge, a dark bottom and right one.
        g.setColour (juce::Colours::white.withAlpha (0.16f));
        g.fillRect (1, 0, editorWidth - 1, 1);
        g.fillRect (1, 0, 1, editorHeight);
        g.setColour (juce::Colours::black.withAlpha (0.5f));
        g.fillRect (1, editorHeight - 1, editorWidth - 1, 1);
        g.fillRect (editorWidth - 1, 0, 1, editorHeight);

        drawLogo (g, fonts);
        drawPatternWindow (g, fonts);
        drawFaderScale (g, fonts, midSlotX, "MID");
        drawFaderScale (g, fonts, sideSlotX, "SIDE");
        drawMeterScale (g, fonts);
        drawBlockDiagram (g, fonts);
        return image;
    }

    //==============================================================================
    juce::Image makeLed (juce::Colour colour, bool lit)
    {
        juce::Image image (juce::Image::ARGB, 11, 11, true);
        juce::Graphics g (image);
        const juce::Rectangle<float> bezel (0.5f, 0.5f, 10.0f, 10.0f);

        g.setGradientFill (juce::ColourGradient (juce::Colour (0xff0a0a0b), 5.5f, 0.0f, juce::Colour (0xff55585e), 5.5f, 11.0f, false));
        g.fillEllipse (bezel);

        const auto lens = bezel.reduced (1.3f);
        const auto base = lit ? colour : colour.withMultipliedBrightness (0.28f).withMultipliedSaturation (0.8f);
        juce::ColourGradient body (lit ? colour.brighter (0.9f) : base.brighter (0.35f), 4.2f, 3.8f,
                                   lit ? colour.darker (0.35f) : base.darker (0.5f), 5.5f, 10.0f, true);
        g.setGradientFill (body);
        g.fillEllipse (lens);

        g.setColour (juce::Colours::white.withAlpha (lit ? 0.75f : 0.22f));
        g.fillEllipse (3.3f, 2.6f, 2.6f, 1.8f);
        return image;
    }

    juce::Path sideLobePath()
    {
        // A figure-of-eight lobe, r = cos^2: a rounded end on the left and a tip at the right edge,
        // 13/23 of the height down.
        juce::Path p;
        constexpr float tipX = 84.5f;
        constexpr float tipY = 69.0f * 13.0f / 23.0f;

        for (int i = 0; i <= 180; ++i)
        {
            const auto theta = juce::MathConstants<float>::pi * ((float) i / 180.0f - 0.5f);
            const auto r = std::pow (std::cos (theta), 2.0f);
            const juce::Point<float> point (tipX - 82.0f * r * std::cos (theta), tipY + 76.0f * r * std::sin (theta));

            if (i == 0)
                p.startNewSubPath (point);
            else
                p.lineTo (point);
        }

        p.closeSubPath();
        return p;
    }

    juce::Image makeLobe (const juce::Path& shape, int width, int height, juce::Point<float> dark, juce::Point<float> light)
    {
        juce::Image image (juce::Image::ARGB, width, height, true);
        juce::Graphics g (image);

        g.setGradientFill (juce::ColourGradient (juce::Colour (0xff1f4f9c), dark, juce::Colour (0xff74b4ff), light, false));
        g.fillPath (shape);
        g.setColour (juce::Colour (0xffd4e7ff));
        g.strokePath (shape, juce::PathStrokeType (1.1f));
        return image;
    }

    juce::Image mirrored (const juce::Image& source)
    {
        juce::Image image (juce::Image::ARGB, source.getWidth(), source.getHeight(), true);
        const juce::Image::BitmapData from (source, juce::Image::BitmapData::readOnly);
        juce::Image::BitmapData to (image, juce::Image::BitmapData::writeOnly);

        for (int y = 0; y < source.getHeight(); ++y)
            for (int x = 0; x < source.getWidth(); ++x)
                to.setPixelColour (source.getWidth() - 1 - x, y, from.getPixelColour (x, y));

        return image;
    }

    juce::Path midLobePath()
    {
        // Two lobes at the upper left and right, meeting in a notch 16/21 of the height down.
        constexpr float notchY = 84.0f * 16.0f / 21.0f;
        juce::Path p;
        p.startNewSubPath (59.0f, notchY);
        p.cubicTo (46.0f, 83.0f, 1.5f, 77.0f, 1.5f, 44.0f);
        p.cubicTo (1.5f, 14.0f, 27.0f, 1.5f, 43.0f, 2.5f);
        p.cubicTo (51.0f, 3.5f, 56.0f, 7.0f, 59.0f, 10.0f);
        p.cubicTo (62.0f, 7.0f, 67.0f, 3.5f, 75.0f, 2.5f);
        p.cubicTo (91.0f, 1.5f, 116.5f, 14.0f, 116.5f, 44.0f);
        p.cubicTo (116.5f, 77.0f, 72.0f, 83.0f, 59.0f, notchY);
        p.closeSubPath();
        return p;
    }

    juce::Image makeFaderCap()
    {
        juce::Image image (juce::Image::ARGB, 86, 99, true);
        const juce::Rectangle<float> cap (36.0f, 35.0f, 14.0f, 28.0f);

        {
            // A soft shadow cast down and to the right.
            juce::Image shadow (juce::Image::ARGB, 86, 99, true);
            juce::Graphics sg (shadow);
            sg.setColour (juce::Colours::black.withAlpha (0.55f));
            sg.fillRoundedRectangle (cap.translated (2.0f, 3.0f), 2.0f);
            juce::ImageConvolutionKernel blur (7);
            blur.createGaussianBlur (2.2f);
            blur.applyToImage (image, shadow, image.getBounds());
        }

        juce::Graphics g (image);
        // Opaque body, lit from the top: light above the grip line, darker below.
        g.setGradientFill (juce::ColourGradient (juce::Colour (0xffe2e4e8), 0.0f, 35.0f, juce::Colour (0xff8e9197), 0.0f, 63.0f, false));
        g.fillRect (cap);
        g.setGradientFill (juce::ColourGradient (juce::Colours::white.withAlpha (0.35f), 36.0f, 0.0f, juce::Colours::black.withAlpha (0.25f), 50.0f, 0.0f, false));
        g.fillRect (cap);

        for (const auto row : { 39, 42, 45, 51, 54, 57 })
        {
            g.setColour (juce::Colour (0xff6f7278));
            g.fillRect (37, row, 12, 1);
            g.setColour (juce::Colour (0xfff3f4f6));
            g.fillRect (37, row + 1, 12, 1);
        }

        g.setColour (juce::Colour (0xff121315));
        g.fillRect (36, 48, 14, 1);

        g.setColour (juce::Colour (0xff5b5e63));
        g.drawRect (cap, 1.0f);
        g.setColour (juce::Colours::white.withAlpha (0.6f));
        g.fillRect (37, 35, 12, 1);
        return image;
    }

    juce::Image makeEntryBoxFace()
    {
        juce::Image image (juce::Image::ARGB, 46, 17, true);
        juce::Graphics g (image);
        g.setColour (juce::Colour (0xff9a9ea5));
        g.fillRoundedRectangle (0.5f, 0.5f, 45.0f, 16.0f, 3.0f);
        g.setGradientFill (juce::ColourGradient (juce::Colour (0xffc9ccd1), 0.0f, 1.0f, juce::Colour (0xffe9ebee), 0.0f, 15.0f, false));
        g.fillRoundedRectangle (1.5f, 1.5f, 43.0f, 14.0f, 2.5f);
        return image;
    }

    bool save (const juce::Image& image, const juce::File& directory, const juce::String& name)
    {
        const auto file = directory.getChildFile (name + ".png");
        file.deleteFile();
        juce::FileOutputStream stream (file);
        juce::PNGImageFormat png;
        return stream.openedOk() && png.writeImageToStream (image, stream) && (stream.flush(), stream.getStatus().wasOk());
    }
}

int main (int argc, char* argv[])
{
    if (argc != 2)
    {
        std::fprintf (stderr, "usage: tervane-make-artwork OUTPUT_DIRECTORY\n");
        return 2;
    }

    const juce::File directory (juce::File::getCurrentWorkingDirectory().getChildFile (argv[1]));

    if (! directory.createDirectory())
    {
        std::fprintf (stderr, "tervane-make-artwork: cannot create %s\n", argv[1]);
        return 1;
    }

    const Fonts fonts;
    const auto green = juce::Colour (0xff3ee85f);
    const auto red = juce::Colour (0xffff3b30);
    const auto yellow = juce::Colour (0xffffcc33);
    const auto leftLobe = makeLobe (sideLobePath(), 86, 69, { 2.0f, 39.0f }, { 84.0f, 39.0f });

    const std::pair<const char*, juce::Image> images[] = {
        { "temp1", makeLed (green, true) },
        { "temp2", makeLed (green, false) },
        { "temp3", makeLed (red, true) },
        { "temp4", makeLed (red, false) },
        { "temp5", makeLed (yellow, true) },
        { "temp6", makeLed (yellow, false) },
        { "temp7", leftLobe },
        { "temp8", mirrored (leftLobe) },
        { "temp9", makeLobe (midLobePath(), 118, 84, { 59.0f, 64.0f }, { 59.0f, 2.0f }) },
        { "temp10", makeFaderCap() },
        { "temp13", makeBackground (fonts) },
        { "temp15", makeEntryBoxFace() },
    };

    for (const auto& [name, image] : images)
    {
        if (! save (image, directory, name))
        {
            std::fprintf (stderr, "tervane-make-artwork: cannot write %s.png\n", name);
            return 1;
        }
    }

    return 0;
}
