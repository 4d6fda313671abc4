// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileDecoder.h"

#include "IntegerWavWriter.h"

#include <cmath>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace decode
{
namespace
{
    juce::String formatOfFile (const juce::File& file)
    {
        if (file.hasFileExtension ("wav;wave"))
            return "wav";

        if (file.hasFileExtension ("aiff;aif;aifc"))
            return "aiff";

        if (file.hasFileExtension ("flac"))
            return "flac";

        return {};
    }

    juce::String bitsOfReader (const juce::AudioFormatReader& reader)
    {
        if (reader.usesFloatingPointData)
            return "32f";

        if (reader.bitsPerSample <= 16)
            return "16";

        return reader.bitsPerSample <= 24 ? "24" : "32";
    }

    /** WAV holds every depth; JUCE's AIFF and FLAC writers only 16 and 24 bits. */
    bool canStore (const juce::String& format, const juce::String& bits)
    {
        return format == "wav" || bits == "16" || bits == "24";
    }
}

FileDecoder::FileDecoder (const Options& o, std::atomic<bool>& stop)
    : options (o), stopRequested (stop)
{
    formats.registerBasicFormats();
}

std::variant<Result, Failure> FileDecoder::decode (const juce::File& input, const juce::File& output)
{
    const auto name = input.getFullPathName();

    if (! input.existsAsFile())
        return Failure { inputUnreadable, name + ": no such file" };

    std::unique_ptr<juce::AudioFormatReader> reader (formats.createReaderFor (input));

    if (reader == nullptr)
        return Failure { inputUnreadable, name + ": cannot read it as WAV, AIFF or FLAC audio" };

    if (reader->numChannels != 2)
        return Failure { inputNotStereo, name + ": has " + juce::String (reader->numChannels)
                                             + " channels; a mid/side recording has exactly two (Mid, then Side)" };

    if (output == input || (output.exists() && output.getLinkedTarget() == input.getLinkedTarget()))
        return Failure { outputIsInput, name + ": the output is the input; choose another output" };

    if (output.exists() && ! options.force)
        return Failure { outputExists, output.getFullPathName() + " exists; use --force to replace it" };

    if (output.isDirectory())
        return Failure { outputExists, output.getFullPathName() + " is a folder" };

    auto format = options.format.isNotEmpty() ? options.format : formatOfFile (output);

    if (format.isEmpty())
        format = formatOfFile (input);

    if (options.format.isNotEmpty() && formatOfFile (output).isNotEmpty() && formatOfFile (output) != options.format)
        return Failure { usageError, output.getFullPathName() + ": the name does not fit --format " + options.format };

    const auto bits = options.bits.isNotEmpty() ? options.bits
                                                : (canStore (format, bitsOfReader (*reader)) ? bitsOfReader (*reader) : "24");

    if (! canStore (format, bits))
        return Failure { usageError, format.toUpperCase() + " files cannot hold " + bits + "-bit samples; "
                                         "use 16 or 24, or WAV for 32 and 32f" };

    HostedDecoder::Settings settings;
    settings.bundle = options.plugin != juce::File() ? options.plugin : HostedDecoder::defaultBundle();
    settings.sampleRate = reader->sampleRate;
    settings.blockSize = options.blockSize;
    settings.program = options.program;
    settings.midDecibels = options.midDecibels;
    settings.sideDecibels = options.sideDecibels;

    auto loaded = HostedDecoder::load (settings);

    if (auto* failure = std::get_if<Failure> (&loaded))
        return *failure;

    auto& decoder = *std::get<std::unique_ptr<HostedDecoder>> (loaded);

    if (! output.getParentDirectory().isDirectory())
        return Failure { writeFailed, output.getFullPathName() + ": the folder does not exist" };

    // Written beside the output and renamed at the end: an error or Ctrl-C leaves no half file
    // and never touches an existing one.
    juce::TemporaryFile temporary (output, juce::TemporaryFile::useHiddenFile);
    const auto writeFailure = [&] { return Failure { writeFailed, output.getFullPathName() + ": cannot write (disk full or not writable)" }; };

    std::unique_ptr<juce::AudioFormatWriter> writer;
    {
        // A large buffer means few, large writes to the disk.
        auto stream = std::make_unique<juce::FileOutputStream> (temporary.getFile(), 1 << 20);

        if (! stream->openedOk())
            return writeFailure();

        const auto bitDepth = bits == "16" ? 16 : (bits == "24" ? 24 : 32);

        if (format == "wav" && bits == "32")
            writer = makeIntegerWavWriter (std::move (stream), reader->sampleRate);
        else if (format == "wav")
            writer.reset (juce::WavAudioFormat().createWriterFor (stream.release(), reader->sampleRate, 2, bitDepth, {}, 0));
        else if (format == "aiff")
            writer.reset (juce::AiffAudioFormat().createWriterFor (stream.release(), reader->sampleRate, 2, bitDepth, {}, 0));
        else
            writer.reset (juce::FlacAudioFormat().createWriterFor (stream.release(), reader->sampleRate, 2, bitDepth, {}, 5));

        if (writer == nullptr)
            return writeFailure();
    }

    Result result;
    result.output = output;

    // Reading and decoding run on a second thread while this one writes, so that the two disks'
    // worth of work overlap; a few chunks in flight keep the memory flat whatever the length.
    struct Chunk
    {
        juce::AudioBuffer<float> audio;
        int numFrames = 0;
        bool readFailed = false;
    };

    const auto blockSize = options.blockSize;
    const auto framesPerChunk = blockSize * std::max (1, 65536 / blockSize);   // whole blocks only
    constexpr size_t chunksInFlight = 3;
    const auto length = reader->lengthInSamples;

    std::mutex mutex;
    std::condition_variable changed;
    std::deque<std::unique_ptr<Chunk>> ready, spare;
    bool producerDone = false, abandon = false;

    for (size_t i = 0; i < chunksInFlight; ++i)
    {
        spare.push_back (std::make_unique<Chunk>());
        spare.back()->audio.setSize (2, framesPerChunk);
    }

    std::thread producer ([&]
    {
        for (int64_t position = 0; position < length; position += framesPerChunk)
        {
            std::unique_ptr<Chunk> chunk;
            {
                std::unique_lock<std::mutex> lock (mutex);
                changed.wait (lock, [&] { return abandon || ! spare.empty(); });

                if (abandon)
                    break;

                chunk = std::move (spare.front());
                spare.pop_front();
            }

            chunk->numFrames = (int) std::min<int64_t> (framesPerChunk, length - position);
            chunk->readFailed = ! reader->read (&chunk->audio, 0, chunk->numFrames, position, true, true);

            if (! chunk->readFailed)
            {
                for (int offset = 0; offset < chunk->numFrames; offset += blockSize)
                {
                    float* channels[] = { chunk->audio.getWritePointer (0, offset), chunk->audio.getWritePointer (1, offset) };
                    juce::AudioBuffer<float> block (channels, 2, std::min (blockSize, chunk->numFrames - offset));
                    decoder.process (block);
                }
            }

            const auto failed = chunk->readFailed;
            {
                const std::lock_guard<std::mutex> lock (mutex);
                ready.push_back (std::move (chunk));
            }
            changed.notify_all();

            if (failed)
                break;
        }

        const std::lock_guard<std::mutex> lock (mutex);
        producerDone = true;
        changed.notify_all();
    });

    const auto finishProducer = [&]
    {
        {
            const std::lock_guard<std::mutex> lock (mutex);
            abandon = true;
        }
        changed.notify_all();
        producer.join();
    };

    int64_t written = 0;

    for (;;)
    {
        std::unique_ptr<Chunk> chunk;
        {
            std::unique_lock<std::mutex> lock (mutex);

            // Woken now and then to notice Ctrl-C while the reader is busy.
            while (ready.empty() && ! producerDone && ! stopRequested.load())
                changed.wait_for (lock, std::chrono::milliseconds (50));

            if (ready.empty() && producerDone)
                break;

            if (! ready.empty())
            {
                chunk = std::move (ready.front());
                ready.pop_front();
            }
        }

        if (stopRequested.load())
        {
            finishProducer();
            return Failure { interrupted, "interrupted; " + output.getFullPathName() + " was not written" };
        }

        if (chunk == nullptr)
            continue;

        if (chunk->readFailed)
        {
            finishProducer();
            return Failure { inputUnreadable, name + ": read error at sample " + juce::String (written) };
        }

        for (int channel = 0; channel < 2; ++channel)
        {
            const auto* samples = chunk->audio.getReadPointer (channel);
            const auto range = juce::FloatVectorOperations::findMinAndMax (samples, chunk->numFrames);
            auto& peak = channel == 0 ? result.peakLeft : result.peakRight;
            peak = std::max ({ peak, std::abs (range.getStart()), std::abs (range.getEnd()) });

            // Integer files clip these; float files keep them, but they are worth knowing either way.
            if (range.getStart() < -1.0f || range.getEnd() > 1.0f)
                for (int i = 0; i < chunk->numFrames; ++i)
                    if (std::abs (samples[i]) > 1.0f)
                        ++result.samplesBeyondFullScale;
        }

        if (! writer->writeFromAudioSampleBuffer (chunk->audio, 0, chunk->numFrames))
        {
            finishProducer();
            return writeFailure();
        }

        written += chunk->numFrames;

        if (onProgress)
            onProgress ((double) written / (double) juce::jmax<int64_t> (1, length));

        {
            const std::lock_guard<std::mutex> lock (mutex);
            spare.push_back (std::move (chunk));
        }
        changed.notify_all();
    }

    producer.join();

    if (stopRequested.load())
        return Failure { interrupted, "interrupted; " + output.getFullPathName() + " was not written" };

    writer.reset();   // flushes and closes the file

    if (temporary.getFile().getSize() == 0 || ! temporary.overwriteTargetFileWithTemporary())
        return writeFailure();

    return result;
}
}
