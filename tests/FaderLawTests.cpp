// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/FaderLaw.h"

#include <gtest/gtest.h>

TEST (FaderLaw, tableMeetsEveryScaleMarkAndRisesStrictly)
{
    const std::pair<int, double> marks[] = { { 0, -80.0 }, { 320, -40.0 }, { 640, -20.0 }, { 960, -10.0 },
                                             { 1280, -5.0 }, { 1600, 0.0 }, { 1920, 6.0 }, { 2240, 12.0 } };

    for (const auto& [index, decibels] : marks)
        EXPECT_EQ (FADER_DB_TABLE[(size_t) index], decibels) << index;

    for (size_t i = 1; i < FADER_DB_TABLE.size(); ++i)
        ASSERT_LT (FADER_DB_TABLE[i - 1], FADER_DB_TABLE[i]) << "step " << i;
}

TEST (FaderLaw, tablePassesThroughTheDrawnCurve)
{
    // The anchors and the two exponential stretches, to the digits given for them...
    const std::pair<int, double> exact[] = {
        { 1, -79.82690076 }, { 2, -79.65417606 },
        { 1296, -4.797142418 }, { 1376, -3.141210562 }, { 1440, -1.72683275 },
        { 1536, -0.456649425 }, { 1584, -0.193283817 }, { 1599, -0.143863904 },
        { 1601, 0.031123882 }, { 1665, 0.186622132 }, { 1761, 1.371297524 }, { 1841, 3.831388999 },
        { 1905, 5.753797561 }, { 1919, 5.987039944 },
        { 1921, 6.020187543 }, { 2080, 8.490359626 }, { 2239, 11.97407989 },
    };

    for (const auto& [index, decibels] : exact)
        EXPECT_NEAR (FADER_DB_TABLE[(size_t) index], decibels, 3.0e-6) << index;

    // ...and between the anchors the spline stays on the drawn curve.
    EXPECT_NEAR (FADER_DB_TABLE[1281], -4.989181298, 0.005);

    // Smooth between the anchors: no step in the curved stretches is far off its neighbours.
    for (int i = 1282; i < 1919; ++i)
    {
        if (i >= 1599 && i <= 1602)
            continue;   // the exact 0 dB entry sits off the curve on purpose

        const auto before = FADER_DB_TABLE[(size_t) i] - FADER_DB_TABLE[(size_t) i - 1];
        const auto after = FADER_DB_TABLE[(size_t) i + 1] - FADER_DB_TABLE[(size_t) i];
        ASSERT_NEAR (after, before, 0.002) << "step " << i;
    }
}

TEST (FaderLaw, convertsPositionsAndLevels)
{
    struct Case { double decibels, position; };
    const Case toPosition[] = { { 0.0, 1600.0 / 2241 }, { -5.0, 1280.0 / 2241 }, { 6.0, 1920.0 / 2241 },
                                { 11.98, 1.0 }, { 12.0, 1.0 }, { 50.0, 1.0 }, { -100.0, 0.0 }, { -80.0, 0.0 },
                                { -79.9, 1.0 / 2241 } };

    for (const auto& c : toPosition)
        EXPECT_EQ (DecibelToFaderPosition (c.decibels), c.position) << c.decibels;

    const Case toDecibels[] = { { -80.0, 0.0 }, { 0.0, 1600.0 / 2241 }, { -0.143863904, 1599.0 / 2241 },
                                { 0.031123882, 1601.0 / 2241 }, { 12.0, 2240.0 / 2241 }, { 12.0, 1.0 },
                                { -80.0, 0.4 / 2241 }, { FADER_DB_TABLE[1], 0.5 / 2241 } };

    for (const auto& c : toDecibels)
        EXPECT_NEAR (FaderPositionToDecibel (c.position), c.decibels, 1.0e-9) << c.position;

    EXPECT_EQ (FaderPositionToDecibel (1600.0 / 2241), 0.0);

    for (int i = 0; i < 2240; ++i)
        ASSERT_EQ (FaderPositionToDecibel (DecibelToFaderPosition (FADER_DB_TABLE[(size_t) i])), FADER_DB_TABLE[(size_t) i]) << i;
}
