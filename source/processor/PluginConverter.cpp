// SPDX-License-Identifier: GPL-3.0-or-later
#include "PluginConverter.h"

#include <cmath>

double ValueToDecibels (double value) noexcept
{
    return value * 92.0 - 80.0;
}

double DecibelsToValue (double decibels) noexcept
{
    return (decibels + 80.0) / 92.0;
}

double DecibelsToGain (double decibels) noexcept
{
    if (decibels <= tervane::silenceDecibels)
        return 0.0;

    return std::pow (10.0, decibels * 0.05);
}
