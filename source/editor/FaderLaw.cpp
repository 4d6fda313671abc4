// SPDX-License-Identifier: GPL-3.0-or-later
#include "FaderLaw.h"

#include <cmath>
#include <vector>

namespace
{
    constexpr int numSteps = 2241;
    constexpr int lastStep = numSteps - 1;

    struct Anchor
    {
        double step;
        double decibels;
    };

    // The curved stretches between -5 dB and 0 dB and between 0 dB and +6 dB, as the scale draws them.
    const Anchor lowerCurve[] = {
        { 1280, -5.0 },         { 1296, -4.797142418 }, { 1312, -4.536615577 }, { 1328, -4.228809361 },
        { 1344, -3.885447047 }, { 1360, -3.518849088 }, { 1376, -3.141210562 }, { 1392, -2.763950215 },
        { 1408, -2.397177226 }, { 1424, -2.049306086 }, { 1440, -1.72683275 },  { 1456, -1.434268576 },
        { 1472, -1.174214529 }, { 1488, -0.947547906 }, { 1504, -0.753688108 }, { 1520, -0.590906693 },
        { 1536, -0.456649425 }, { 1552, -0.347843331 }, { 1568, -0.261168748 }, { 1584, -0.193283817 },
        { 1599, -0.143863904 },
    };

    const Anchor upperCurve[] = {
        { 1601, 0.031123882 }, { 1617, 0.050418844 }, { 1633, 0.079812484 }, { 1649, 0.123460371 },
        { 1665, 0.186622132 }, { 1681, 0.275662399 }, { 1697, 0.397897061 }, { 1713, 0.561232417 },
        { 1729, 0.773559244 }, { 1745, 1.041893259 }, { 1761, 1.371297524 }, { 1777, 1.763676675 },
        { 1793, 2.216588454 }, { 1809, 2.722262357 }, { 1825, 3.267034382 }, { 1841, 3.831388999 },
        { 1857, 4.390738845 }, { 1873, 4.916972521 }, { 1889, 5.380675133 }, { 1905, 5.753797561 },
        { 1919, 5.987039944 },
    };

    /** A natural cubic spline (zero curvature at both ends) through the anchors. */
    class NaturalSpline
    {
    public:
        template <size_t count>
        explicit NaturalSpline (const Anchor (&anchors)[count])
            : points (std::begin (anchors), std::end (anchors)), curvature (count, 0.0)
        {
            // Solve the tridiagonal system for the second derivatives at the inner anchors.
            const auto n = points.size();
            std::vector<double> diagonal (n, 1.0), rhs (n, 0.0), upper (n, 0.0);

            for (size_t k = 1; k + 1 < n; ++k)
            {
                const auto h0 = points[k].step - points[k - 1].step;
                const auto h1 = points[k + 1].step - points[k].step;
                const auto slope0 = (points[k].decibels - points[k - 1].decibels) / h0;
                const auto slope1 = (points[k + 1].decibels - points[k].decibels) / h1;
                const auto lower = h0;
                diagonal[k] = 2.0 * (h0 + h1) - lower * upper[k - 1];
                upper[k] = h1 / diagonal[k];
                rhs[k] = (6.0 * (slope1 - slope0) - lower * rhs[k - 1]) / diagonal[k];
            }

            for (size_t k = n - 2; k >= 1; --k)
                curvature[k] = rhs[k] - upper[k] * curvature[k + 1];
        }

        double operator() (double x) const
        {
            size_t k = 0;

            while (k + 2 < points.size() && x > points[k + 1].step)
                ++k;

            const auto& a = points[k];
            const auto& b = points[k + 1];
            const auto h = b.step - a.step;
            const auto t0 = (b.step - x) / h;
            const auto t1 = (x - a.step) / h;

            return t0 * a.decibels + t1 * b.decibels
                 + ((t0 * t0 * t0 - t0) * curvature[k] + (t1 * t1 * t1 - t1) * curvature[k + 1]) * h * h / 6.0;
        }

    private:
        std::vector<Anchor> points;
        std::vector<double> curvature;
    };

    std::array<double, numSteps> makeTable()
    {
        std::array<double, numSteps> table {};
        const NaturalSpline lower (lowerCurve), upper (upperCurve);

        // Down to -5 dB every 320 steps halve the level: exactly -40, -20, -10 and -5 at the marks.
        for (int i = 0; i <= 1280; ++i)
            table[(size_t) i] = -80.0 * std::exp2 (-(double) i / 320.0);

        for (int i = 1281; i <= 1599; ++i)
            table[(size_t) i] = lower ((double) i);

        table[1600] = 0.0;

        for (int i = 1601; i <= 1919; ++i)
            table[(size_t) i] = upper ((double) i);

        table[1920] = 6.0;

        for (int i = 1921; i < lastStep; ++i)
            table[(size_t) i] = 12.0 * std::pow (1.00216468513, (double) (i - lastStep));

        table[lastStep] = 12.0;
        return table;
    }
}

const std::array<double, 2241> FADER_DB_TABLE = makeTable();

double FaderPositionToDecibel (double position)
{
    auto step = (int) (position * numSteps + 0.5);
    step = std::min (std::max (step, 0), lastStep);
    return FADER_DB_TABLE[(size_t) step];
}

double DecibelToFaderPosition (double decibels)
{
    // The top entry is left out on purpose: everything above the step below it is the top.
    for (int i = 0; i < lastStep; ++i)
        if (FADER_DB_TABLE[(size_t) i] >= decibels)
            return (double) i / numSteps;

    return 1.0;
}
