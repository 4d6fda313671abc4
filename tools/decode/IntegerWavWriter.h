// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <juce_audio_formats/juce_audio_formats.h>

#include <memory>

namespace decode
{
    /** A stereo writer for 32-bit integer PCM WAV files, which JUCE's WAV writer does not make
        (it writes 32 bits as float). Returns nullptr if the stream cannot be written. */
    std::unique_ptr<juce::AudioFormatWriter> makeIntegerWavWriter (std::unique_ptr<juce::OutputStream> stream,
                                                                   double sampleRate);
}
