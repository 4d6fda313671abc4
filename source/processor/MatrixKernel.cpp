// SPDX-License-Identifier: GPL-3.0-or-later
#include "MatrixKernel.h"

#include <cmath>

#if (defined (__x86_64__) || defined (__i386__)) && (defined (__GNUC__) || defined (__clang__))
 #define TERVANE_HAS_AVX_PATH 1
 #include <immintrin.h>
#else
 #define TERVANE_HAS_AVX_PATH 0
#endif

namespace tervane
{
namespace
{
    // Peaks ignore NaN samples: a comparison with NaN is false, so the running maximum stays.
    inline void decodeSample (float& midThenLeft, float& sideThenRight, double midGain, double sideGain,
                              OutputPeaks& peaks) noexcept
    {
        const auto a = (double) midThenLeft * midGain;
        const auto b = (double) sideThenRight * sideGain;
        const auto left = (float) (a + b);
        const auto right = (float) (a - b);
        midThenLeft = left;
        sideThenRight = right;

        const auto absLeft = std::abs (left);
        const auto absRight = std::abs (right);

        if (peaks.left < absLeft)
            peaks.left = absLeft;

        if (peaks.right < absRight)
            peaks.right = absRight;
    }

    inline double rampGain (double start, double step, int index) noexcept
    {
        return start + (double) index * step;
    }

    inline double rampStep (double start, double end, int numSamples) noexcept
    {
        return numSamples >= 2 ? (end - start) / (double) (numSamples - 1) : 0.0;
    }

   #if TERVANE_HAS_AVX_PATH
    struct AvxLanes
    {
        __m128 peakLeft = _mm_setzero_ps();
        __m128 peakRight = _mm_setzero_ps();
    };

    __attribute__ ((target ("avx2")))
    inline void decodeFour (float* mid, float* side, __m256d midGain, __m256d sideGain, AvxLanes& lanes) noexcept
    {
        const auto absMask = _mm_castsi128_ps (_mm_set1_epi32 (0x7fffffff));

        const auto a = _mm256_mul_pd (_mm256_cvtps_pd (_mm_loadu_ps (mid)), midGain);
        const auto b = _mm256_mul_pd (_mm256_cvtps_pd (_mm_loadu_ps (side)), sideGain);
        const auto left = _mm256_cvtpd_ps (_mm256_add_pd (a, b));
        const auto right = _mm256_cvtpd_ps (_mm256_sub_pd (a, b));
        _mm_storeu_ps (mid, left);
        _mm_storeu_ps (side, right);

        // maxps returns its second operand when either is NaN, which keeps the running peak.
        lanes.peakLeft = _mm_max_ps (_mm_and_ps (left, absMask), lanes.peakLeft);
        lanes.peakRight = _mm_max_ps (_mm_and_ps (right, absMask), lanes.peakRight);
    }

    __attribute__ ((target ("avx2")))
    inline float largestLane (__m128 v) noexcept
    {
        alignas (16) float values[4];
        _mm_store_ps (values, v);
        auto largest = values[0];

        for (int i = 1; i < 4; ++i)
            if (largest < values[i])
                largest = values[i];

        return largest;
    }

    __attribute__ ((target ("avx2")))
    OutputPeaks decodeConstantGainAvx (float* mid, float* side, int numSamples, double midGain, double sideGain) noexcept
    {
        const auto midGains = _mm256_set1_pd (midGain);
        const auto sideGains = _mm256_set1_pd (sideGain);
        AvxLanes first, second;
        int i = 0;

        for (; i + 8 <= numSamples; i += 8)
        {
            decodeFour (mid + i, side + i, midGains, sideGains, first);
            decodeFour (mid + i + 4, side + i + 4, midGains, sideGains, second);
        }

        for (; i + 4 <= numSamples; i += 4)
            decodeFour (mid + i, side + i, midGains, sideGains, first);

        OutputPeaks peaks { largestLane (_mm_max_ps (first.peakLeft, second.peakLeft)),
                            largestLane (_mm_max_ps (first.peakRight, second.peakRight)) };

        for (; i < numSamples; ++i)
            decodeSample (mid[i], side[i], midGain, sideGain, peaks);

        return peaks;
    }

    __attribute__ ((target ("avx2")))
    OutputPeaks decodeGainRampAvx (float* mid, float* side, int numSamples,
                                   double midStart, double midStep, double sideStart, double sideStep) noexcept
    {
        const auto midStarts = _mm256_set1_pd (midStart);
        const auto midSteps = _mm256_set1_pd (midStep);
        const auto sideStarts = _mm256_set1_pd (sideStart);
        const auto sideSteps = _mm256_set1_pd (sideStep);
        const auto four = _mm256_set1_pd (4.0);
        auto indices = _mm256_setr_pd (0.0, 1.0, 2.0, 3.0);
        AvxLanes lanes;
        int i = 0;

        for (; i + 4 <= numSamples; i += 4)
        {
            // Same arithmetic per lane as the scalar ramp: start + index * step.
            const auto midGains = _mm256_add_pd (midStarts, _mm256_mul_pd (indices, midSteps));
            const auto sideGains = _mm256_add_pd (sideStarts, _mm256_mul_pd (indices, sideSteps));
            decodeFour (mid + i, side + i, midGains, sideGains, lanes);
            indices = _mm256_add_pd (indices, four);
        }

        OutputPeaks peaks { largestLane (lanes.peakLeft), largestLane (lanes.peakRight) };

        for (; i < numSamples; ++i)
            decodeSample (mid[i], side[i], rampGain (midStart, midStep, i), rampGain (sideStart, sideStep, i), peaks);

        return peaks;
    }

    const bool cpuHasAvx2 = __builtin_cpu_supports ("avx2");
   #else
    constexpr bool cpuHasAvx2 = false;
   #endif
}

OutputPeaks decodeConstantGainReference (float* mid, float* side, int numSamples, double midGain, double sideGain) noexcept
{
    OutputPeaks peaks;

    for (int i = 0; i < numSamples; ++i)
        decodeSample (mid[i], side[i], midGain, sideGain, peaks);

    return peaks;
}

OutputPeaks decodeGainRampReference (float* mid, float* side, int numSamples,
                                     double midStart, double midEnd, double sideStart, double sideEnd) noexcept
{
    const auto midStep = rampStep (midStart, midEnd, numSamples);
    const auto sideStep = rampStep (sideStart, sideEnd, numSamples);
    OutputPeaks peaks;

    for (int i = 0; i < numSamples; ++i)
        decodeSample (mid[i], side[i], rampGain (midStart, midStep, i), rampGain (sideStart, sideStep, i), peaks);

    return peaks;
}

OutputPeaks decodeConstantGain (float* mid, float* side, int numSamples, double midGain, double sideGain) noexcept
{
   #if TERVANE_HAS_AVX_PATH
    if (cpuHasAvx2)
        return decodeConstantGainAvx (mid, side, numSamples, midGain, sideGain);
   #endif

    return decodeConstantGainReference (mid, side, numSamples, midGain, sideGain);
}

OutputPeaks decodeGainRamp (float* mid, float* side, int numSamples,
                            double midStart, double midEnd, double sideStart, double sideEnd) noexcept
{
   #if TERVANE_HAS_AVX_PATH
    if (cpuHasAvx2)
        return decodeGainRampAvx (mid, side, numSamples,
                                  midStart, rampStep (midStart, midEnd, numSamples),
                                  sideStart, rampStep (sideStart, sideEnd, numSamples));
   #endif

    return decodeGainRampReference (mid, side, numSamples, midStart, midEnd, sideStart, sideEnd);
}

bool matrixUsesWideVectors() noexcept
{
    return cpuHasAvx2;
}
}
