// SPDX-License-Identifier: GPL-3.0-or-later
#include "IntegerWavWriter.h"

namespace decode
{
namespace
{
    class IntegerWavWriter final : public juce::AudioFormatWriter
    {
    public:
        IntegerWavWriter (juce::OutputStream* stream, double rate)
            : juce::AudioFormatWriter (stream, "WAV file", rate, 2, 32)
        {
            usesFloatingPointData = false;
            headerWritten = writeHeader();
        }

        ~IntegerWavWriter() override
        {
            // The sizes are known only now; a stream that cannot seek back keeps the placeholders.
            if (headerWritten && output->setPosition (0))
                writeHeader();

            output->flush();
        }

        bool write (const int** samples, int numSamples) override
        {
            if (! headerWritten)
                return false;

            for (int i = 0; i < numSamples; ++i)
                for (unsigned int channel = 0; channel < numChannels; ++channel)
                    if (! output->writeInt (samples[channel] != nullptr ? samples[channel][i] : 0))
                        return false;

            bytesWritten += (uint64_t) numSamples * numChannels * 4;
            return bytesWritten < 0xffffffffu - 44;
        }

    private:
        bool writeHeader()
        {
            const auto blockAlign = (int) numChannels * 4;
            const auto dataBytes = (int) bytesWritten;

            return output->write ("RIFF", 4) && output->writeInt (36 + dataBytes) && output->write ("WAVE", 4)
                && output->write ("fmt ", 4) && output->writeInt (16)
                && output->writeShort (1)                                        // integer PCM
                && output->writeShort ((short) numChannels)
                && output->writeInt ((int) sampleRate)
                && output->writeInt ((int) sampleRate * blockAlign)
                && output->writeShort ((short) blockAlign)
                && output->writeShort (32)
                && output->write ("data", 4) && output->writeInt (dataBytes);
        }

        uint64_t bytesWritten = 0;
        bool headerWritten = false;
    };
}

std::unique_ptr<juce::AudioFormatWriter> makeIntegerWavWriter (std::unique_ptr<juce::OutputStream> stream, double sampleRate)
{
    if (stream == nullptr)
        return {};

    return std::make_unique<IntegerWavWriter> (stream.release(), sampleRate);
}
}
