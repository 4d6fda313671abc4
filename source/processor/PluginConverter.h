// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

/** The one level scale of the plug-in: a normalised value 0..1 spans -80 dB (silence) to +12 dB. */

/** dB = value * 92 - 80. */
double ValueToDecibels (double value) noexcept;

/** value = (dB + 80) / 92. */
double DecibelsToValue (double decibels) noexcept;

/** Linear gain; exactly 0 at or below the -80 dB floor. */
double DecibelsToGain (double decibels) noexcept;

namespace tervane
{
    /** The floor of the scale: this level and anything below it is silence. */
    constexpr double silenceDecibels = -80.0;

    /** The normalised value of 0 dB. */
    constexpr double unityValue = 80.0 / 92.0;
}
