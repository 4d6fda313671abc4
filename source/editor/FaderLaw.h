// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

/** The faders move in 2241 equal steps over a scale whose marks +12, +6, 0, -5, -10, -20, -40 and
    minus infinity are equally spaced, every 320 steps. Entry i is the level in dB of step i; it
    meets every mark exactly and rises strictly. */
extern const std::array<double, 2241> FADER_DB_TABLE;

/** The level of a fader position in [0, 1], rounded to the nearest step. */
double FaderPositionToDecibel (double position);

/** The position of the lowest step whose level reaches dB; 1.0 above the step below the top. */
double DecibelToFaderPosition (double decibels);
