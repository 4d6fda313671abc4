// SPDX-License-Identifier: GPL-3.0-or-later
// The editor's recurring costs against a plain fill of an image of its size, measured in the
// same run: a full paint with the software renderer, one refresh tick without its paint, and
// opening the editor with its images decoded. Prints the ratios.
#include "editor/PluginEditor.h"
#include "processor/WallClock.h"

#include "RatioReporter.h"

#include <benchmark/benchmark.h>

#include <iostream>

namespace
{
    constexpr int width = 472;
    constexpr int height = 480;

    /** A processor with levels and peaks set, so that every lobe and some LEDs are drawn. */
    struct Scene
    {
        Scene()
        {
            processor.parameters.midValue = DecibelsToValue (0.0);
            processor.parameters.sideValue = DecibelsToValue (-4.0);
            processor.outputPeakL = 0.56f;
            processor.outputPeakR = 0.33f;
            processor.lastBlockTimeMs = tervane::wallClockMilliseconds();
        }

        JuceDemoPluginAudioProcessor processor;
    };

    void fillReference (benchmark::State& state)
    {
        juce::Image image (juce::Image::ARGB, width, height, true, juce::SoftwareImageType());

        for (auto _ : state)
        {
            juce::Graphics g (image);
            g.fillAll (juce::Colour (0xff202226));
            benchmark::ClobberMemory();
        }
    }

    void fullPaint (benchmark::State& state)
    {
        Scene scene;
        std::unique_ptr<juce::AudioProcessorEditor> editor (scene.processor.createEditor());
        dynamic_cast<JuceDemoPluginAudioProcessorEditor&> (*editor).timerCallback();
        juce::Image image (juce::Image::ARGB, width, height, true, juce::SoftwareImageType());

        for (auto _ : state)
        {
            juce::Graphics g (image);
            editor->paintEntireComponent (g, false);
            benchmark::ClobberMemory();
        }
    }

    void refreshTick (benchmark::State& state)
    {
        Scene scene;
        std::unique_ptr<juce::AudioProcessorEditor> editor (scene.processor.createEditor());
        auto& tervaneEditor = dynamic_cast<JuceDemoPluginAudioProcessorEditor&> (*editor);
        int64_t iteration = 0;

        for (auto _ : state)
        {
            // Alternate the levels and keep audio arriving, so that every tick moves something.
            scene.processor.parameters.sideValue.store ((iteration++ & 1) != 0 ? 0.7 : 0.8, std::memory_order_relaxed);
            scene.processor.lastBlockTimeMs.store (tervane::wallClockMilliseconds(), std::memory_order_relaxed);
            tervaneEditor.timerCallback();
        }
    }

    void openEditor (benchmark::State& state)
    {
        Scene scene;

        for (auto _ : state)
        {
            std::unique_ptr<juce::AudioProcessorEditor> editor (scene.processor.createEditor());
            benchmark::DoNotOptimize (editor.get());

            state.PauseTiming();
            editor.reset();
            // Each opening decodes its images again, as after the host has released them.
            juce::ImageCache::releaseUnusedImages();
            state.ResumeTiming();
        }
    }
}

BENCHMARK (fillReference)->Unit (benchmark::kMicrosecond);
BENCHMARK (fullPaint)->Unit (benchmark::kMicrosecond);
BENCHMARK (refreshTick)->Unit (benchmark::kMicrosecond);
BENCHMARK (openEditor)->Unit (benchmark::kMicrosecond);

int main (int argc, char** argv)
{
    const juce::ScopedJuceInitialiser_GUI juce;
    benchmark::Initialize (&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks (&reporter);

    const auto reference = reporter.times["fillReference"];
    std::cout << "\nratio to a plain fill of a " << width << " x " << height << " image (same run):\n";

    for (const auto* name : { "fullPaint", "refreshTick", "openEditor" })
        if (reference > 0.0)
            std::cout << "  " << name << ": " << reporter.times[name] / reference
                      << "  (" << reporter.times[name] << " us)\n";

    benchmark::Shutdown();
    return 0;
}
