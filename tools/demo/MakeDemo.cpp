// SPDX-License-Identifier: GPL-3.0-or-later
// tervane-make-demo OUTPUT.wav: a 10 s mid/side recording (48 kHz, 24-bit) of a few sources at
// different angles, as an ideal M/S pair would pick them up: a forward cardioid for Mid and a
// sideways figure-of-eight for Side.
#include <juce_audio_formats/juce_audio_formats.h>

#include <cmath>
#include <iostream>

namespace
{
    constexpr double sampleRate = 48000.0;
    constexpr int lengthSeconds = 10;

    struct Source
    {
        double angleDegrees;    // 0 is straight ahead, positive to the left
        double (*signal) (double t, juce::Random&);
    };

    double pluckedNotes (double t, juce::Random&)
    {
        // A note every half second, an octave pattern of a minor chord.
        const double notes[] = { 220.0, 261.63, 329.63, 440.0, 329.63, 261.63 };
        const auto index = (int) (t * 2.0);
        const auto local = t - index * 0.5;
        const auto f = notes[index % 6];
        return 0.35 * std::exp (-local * 6.0) * (std::sin (2.0 * juce::MathConstants<double>::pi * f * t)
                                                  + 0.3 * std::sin (4.0 * juce::MathConstants<double>::pi * f * t));
    }

    double shaker (double t, juce::Random& random)
    {
        const auto beat = std::fmod (t, 0.25);
        return 0.25 * std::exp (-beat * 40.0) * (random.nextDouble() * 2.0 - 1.0);
    }

    double bell (double t, juce::Random&)
    {
        const auto local = std::fmod (t, 2.5);
        const auto envelope = std::exp (-local * 1.5);
        return 0.2 * envelope * (std::sin (2.0 * juce::MathConstants<double>::pi * 880.0 * t)
                                 + 0.5 * std::sin (2.0 * juce::MathConstants<double>::pi * 1320.0 * 1.003 * t));
    }

    double drone (double t, juce::Random&)
    {
        return 0.15 * std::sin (2.0 * juce::MathConstants<double>::pi * 55.0 * t) * (0.6 + 0.4 * std::sin (0.8 * t));
    }
}

int main (int argc, char** argv)
{
    if (argc != 2)
    {
        std::cerr << "usage: tervane-make-demo OUTPUT.wav\n";
        return 2;
    }

    const auto file = juce::File::getCurrentWorkingDirectory().getChildFile (juce::String::fromUTF8 (argv[1]));
    file.getParentDirectory().createDirectory();
    file.deleteFile();

    auto stream = std::make_unique<juce::FileOutputStream> (file);

    if (! stream->openedOk())
    {
        std::cerr << "tervane-make-demo: cannot write " << file.getFullPathName() << "\n";
        return 8;
    }

    std::unique_ptr<juce::AudioFormatWriter> writer (juce::WavAudioFormat().createWriterFor (stream.release(), sampleRate, 2, 24, {}, 0));

    const Source sources[] = { { 0.0, pluckedNotes }, { 60.0, shaker }, { -45.0, bell }, { 120.0, drone } };
    juce::Random random (2026);
    constexpr int blockSize = 4800;
    juce::AudioBuffer<float> block (2, blockSize);
    const auto total = (int) sampleRate * lengthSeconds;

    for (int start = 0; start < total; start += blockSize)
    {
        for (int i = 0; i < blockSize; ++i)
        {
            const auto t = (start + i) / sampleRate;
            double mid = 0.0, side = 0.0;

            for (const auto& source : sources)
            {
                const auto angle = juce::degreesToRadians (source.angleDegrees);
                const auto s = source.signal (t, random);
                mid += s * 0.5 * (1.0 + std::cos (angle));
                side += s * std::sin (angle);
            }

            // Fade in and out so the file starts and ends quietly.
            const auto fade = juce::jmin (1.0, t / 0.05, (lengthSeconds - t) / 0.5);
            block.setSample (0, i, (float) (mid * fade));
            block.setSample (1, i, (float) (side * fade));
        }

        if (! writer->writeFromAudioSampleBuffer (block, 0, blockSize))
        {
            std::cerr << "tervane-make-demo: cannot write " << file.getFullPathName() << "\n";
            return 8;
        }
    }

    writer.reset();
    std::cout << "wrote a " << lengthSeconds << " s mid/side demo to " << file.getFullPathName() << "\n";
    return 0;
}
