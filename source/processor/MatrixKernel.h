// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

/** The M/S matrix over one block, in place: channel 1 (Mid) becomes left, channel 2 (Side)
    becomes right. Each product and the sum and difference are formed in double precision and
    rounded once to float; the returned peaks are those of the rounded outputs. All functions are
    real-time safe. */
namespace tervane
{
    struct OutputPeaks
    {
        float left = 0.0f;
        float right = 0.0f;
    };

    /** Constant gains over the block; uses the widest vector unit the processor offers. */
    OutputPeaks decodeConstantGain (float* midThenLeft, float* sideThenRight, int numSamples,
                                    double midGain, double sideGain) noexcept;

    /** Gains moving linearly from the start values at the first sample to the end values at the
        last one; blocks shorter than two samples use the start values. */
    OutputPeaks decodeGainRamp (float* midThenLeft, float* sideThenRight, int numSamples,
                                double midGainStart, double midGainEnd,
                                double sideGainStart, double sideGainEnd) noexcept;

    /** The plain one-sample-at-a-time definitions that the fast paths must match bit for bit. */
    OutputPeaks decodeConstantGainReference (float* midThenLeft, float* sideThenRight, int numSamples,
                                             double midGain, double sideGain) noexcept;

    OutputPeaks decodeGainRampReference (float* midThenLeft, float* sideThenRight, int numSamples,
                                         double midGainStart, double midGainEnd,
                                         double sideGainStart, double sideGainEnd) noexcept;

    /** True when the vector paths run on this processor (for tests and benchmarks to report). */
    bool matrixUsesWideVectors() noexcept;
}
