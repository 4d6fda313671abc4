// SPDX-License-Identifier: GPL-3.0-or-later
// processBlock against a copy of both channels measured in the same run; prints the ratios.
#include "processor/MatrixKernel.h"
#include "processor/PluginProcessor.h"

#include "RatioReporter.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <iostream>

namespace
{
    // Levels near -3.01 dB make the matrix nearly orthonormal, so a block decoded over and over
    // neither dies away into denormals nor grows into infinities.
    const double steadyValue = DecibelsToValue (-3.0103);
    const double alternateValues[] = { DecibelsToValue (-2.9), DecibelsToValue (-3.1206) };

    void fill (juce::AudioBuffer<float>& buffer)
    {
        for (int channel = 0; channel < 2; ++channel)
            for (int i = 0; i < buffer.getNumSamples(); ++i)
                buffer.setSample (channel, i, 0.5f * std::sin (0.01f * (float) (i + 1) * (float) (channel + 1)));
    }

    void refillNowAndThen (benchmark::State& state, juce::AudioBuffer<float>& buffer, int64_t iteration)
    {
        if ((iteration & 1023) == 1023)
        {
            state.PauseTiming();
            fill (buffer);
            state.ResumeTiming();
        }
    }

    void copyBothChannels (benchmark::State& state)
    {
        const auto n = (int) state.range (0);
        juce::AudioBuffer<float> source (2, n), buffer (2, n);
        fill (source);

        for (auto _ : state)
        {
            for (int channel = 0; channel < 2; ++channel)
                juce::FloatVectorOperations::copy (buffer.getWritePointer (channel), source.getReadPointer (channel), n);

            benchmark::ClobberMemory();
        }

        state.SetItemsProcessed (state.iterations() * n);
    }

    void processAtConstantGain (benchmark::State& state)
    {
        const auto n = (int) state.range (0);
        JuceDemoPluginAudioProcessor processor;
        processor.parameters.midValue = steadyValue;
        processor.parameters.sideValue = steadyValue;
        juce::AudioBuffer<float> buffer (2, n);
        juce::MidiBuffer midi;
        fill (buffer);
        int64_t iteration = 0;

        for (auto _ : state)
        {
            processor.processBlock (buffer, midi);
            benchmark::ClobberMemory();
            refillNowAndThen (state, buffer, iteration++);
        }

        state.SetItemsProcessed (state.iterations() * n);
    }

    void processWithGainChangeEveryBlock (benchmark::State& state)
    {
        const auto n = (int) state.range (0);
        JuceDemoPluginAudioProcessor processor;
        juce::AudioBuffer<float> buffer (2, n);
        juce::MidiBuffer midi;
        fill (buffer);
        int64_t iteration = 0;

        for (auto _ : state)
        {
            const auto value = alternateValues[iteration & 1];
            processor.parameters.midValue.store (value, std::memory_order_relaxed);
            processor.parameters.sideValue.store (value, std::memory_order_relaxed);
            processor.processBlock (buffer, midi);
            benchmark::ClobberMemory();
            refillNowAndThen (state, buffer, iteration++);
        }

        state.SetItemsProcessed (state.iterations() * n);
    }

    void plainScalarLoop (benchmark::State& state)
    {
        const auto n = (int) state.range (0);
        juce::AudioBuffer<float> buffer (2, n);
        fill (buffer);
        const auto gain = DecibelsToGain (ValueToDecibels (steadyValue));
        int64_t iteration = 0;

        for (auto _ : state)
        {
            benchmark::DoNotOptimize (tervane::decodeConstantGainReference (buffer.getWritePointer (0), buffer.getWritePointer (1),
                                                                            n, gain, gain));
            benchmark::ClobberMemory();
            refillNowAndThen (state, buffer, iteration++);
        }

        state.SetItemsProcessed (state.iterations() * n);
    }
}

BENCHMARK (copyBothChannels)->Arg (64)->Arg (512)->Arg (4096);
BENCHMARK (processAtConstantGain)->Arg (64)->Arg (512)->Arg (4096);
BENCHMARK (processWithGainChangeEveryBlock)->Arg (64)->Arg (512)->Arg (4096);
BENCHMARK (plainScalarLoop)->Arg (512);

int main (int argc, char** argv)
{
    benchmark::Initialize (&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks (&reporter);

    std::cout << "\nvector path: " << (tervane::matrixUsesWideVectors() ? "AVX2" : "scalar") << "\n"
              << "ratio to copying both channels (same block size, same run):\n";

    for (const auto* size : { "64", "512", "4096" })
    {
        const auto copy = reporter.times["copyBothChannels/" + std::string (size)];

        for (const auto* name : { "processAtConstantGain", "processWithGainChangeEveryBlock", "plainScalarLoop" })
        {
            const auto it = reporter.times.find (std::string (name) + "/" + size);

            if (it != reporter.times.end() && copy > 0.0)
                std::cout << "  " << name << "/" << size << ": " << it->second / copy << "\n";
        }
    }

    benchmark::Shutdown();
    return 0;
}
