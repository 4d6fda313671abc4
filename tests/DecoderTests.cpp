// SPDX-License-Identifier: GPL-3.0-or-later
// tervane-decode as a user runs it: real files on disk, the built plug-in, exit codes and messages.
#include "processor/PluginConverter.h"

#include <juce_audio_formats/juce_audio_formats.h>

#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <cmath>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>

extern char** environ;

namespace
{
    struct Run
    {
        int exitCode = -1;
        juce::String out, err;
        long peakKilobytes = 0;
    };

    /** Runs the decoder with the arguments; interrupts it with Ctrl-C once interruptWhen says so. */
    Run runDecoder (const juce::StringArray& arguments, const juce::File& folder,
                    std::function<bool()> interruptWhen = {})
    {
        const auto outFile = folder.getChildFile ("stdout.txt"), errFile = folder.getChildFile ("stderr.txt");
        std::vector<std::string> args { TERVANE_DECODE_BINARY };

        for (const auto& a : arguments)
            args.push_back (a.toStdString());

        std::vector<char*> argv;

        for (auto& a : args)
            argv.push_back (a.data());

        argv.push_back (nullptr);

        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init (&actions);
        posix_spawn_file_actions_addopen (&actions, 1, outFile.getFullPathName().toRawUTF8(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_addopen (&actions, 2, errFile.getFullPathName().toRawUTF8(), O_WRONLY | O_CREAT | O_TRUNC, 0644);

        pid_t pid = 0;
        Run run;

        if (posix_spawn (&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0)
            return run;

        posix_spawn_file_actions_destroy (&actions);

        if (interruptWhen)
        {
            for (int tries = 0; tries < 1000 && ! interruptWhen(); ++tries)
                std::this_thread::sleep_for (std::chrono::milliseconds (5));

            kill (pid, SIGINT);
        }

        int status = 0;
        rusage usage {};
        wait4 (pid, &status, 0, &usage);

        run.exitCode = WIFEXITED (status) ? WEXITSTATUS (status) : 128 + WTERMSIG (status);
        run.out = outFile.loadFileAsString();
        run.err = errFile.loadFileAsString();
        run.peakKilobytes = usage.ru_maxrss;
        outFile.deleteFile();
        errFile.deleteFile();
        return run;
    }

    /** Left/right test material encoded to mid/side; extra channels repeat the Side. */
    juce::AudioBuffer<float> makeMidSide (int numSamples, int numChannels = 2)
    {
        juce::AudioBuffer<float> buffer (numChannels, numSamples);
        juce::Random random (99);

        for (int i = 0; i < numSamples; ++i)
        {
            const auto left = 0.6f * std::sin (0.013f * (float) i) + 0.1f * (random.nextFloat() - 0.5f);
            const auto right = 0.5f * std::cos (0.029f * (float) i) + 0.1f * (random.nextFloat() - 0.5f);
            buffer.setSample (0, i, 0.5f * (left + right));

            for (int channel = 1; channel < numChannels; ++channel)
                buffer.setSample (channel, i, 0.5f * (left - right));
        }

        return buffer;
    }

    bool writeAudio (const juce::File& file, const juce::AudioBuffer<float>& buffer, int bits, double rate = 48000.0)
    {
        file.deleteFile();
        auto stream = std::make_unique<juce::FileOutputStream> (file);
        std::unique_ptr<juce::AudioFormatWriter> writer;

        if (file.hasFileExtension ("flac"))
            writer.reset (juce::FlacAudioFormat().createWriterFor (stream.release(), rate, (unsigned) buffer.getNumChannels(), bits, {}, 0));
        else if (file.hasFileExtension ("aiff"))
            writer.reset (juce::AiffAudioFormat().createWriterFor (stream.release(), rate, (unsigned) buffer.getNumChannels(), bits, {}, 0));
        else
            writer.reset (juce::WavAudioFormat().createWriterFor (stream.release(), rate, (unsigned) buffer.getNumChannels(), bits, {}, 0));

        return writer != nullptr && writer->writeFromAudioSampleBuffer (buffer, 0, buffer.getNumSamples());
    }

    struct ReadBack
    {
        juce::AudioBuffer<float> buffer;
        double sampleRate = 0;
        int bits = 0;
        bool isFloat = false;
        juce::String format;
    };

    ReadBack readAudio (const juce::File& file)
    {
        juce::AudioFormatManager formats;
        formats.registerBasicFormats();
        // From the stream rather than the name, so that files without an extension are read too.
        std::unique_ptr<juce::AudioFormatReader> reader (formats.createReaderFor (std::make_unique<juce::FileInputStream> (file)));
        ReadBack result;

        if (reader == nullptr)
            return result;

        result.buffer.setSize ((int) reader->numChannels, (int) reader->lengthInSamples);
        reader->read (&result.buffer, 0, (int) reader->lengthInSamples, 0, true, true);
        result.sampleRate = reader->sampleRate;
        result.bits = (int) reader->bitsPerSample;
        result.isFloat = reader->usesFloatingPointData;
        result.format = reader->getFormatName();
        return result;
    }

    struct DecoderFixture : ::testing::Test
    {
        void SetUp() override
        {
            folder = juce::File::getSpecialLocation (juce::File::tempDirectory)
                         .getNonexistentChildFile ("tervane-decode-test", "", false);
            ASSERT_TRUE (folder.createDirectory());
        }

        void TearDown() override { folder.deleteRecursively(); }

        juce::String path (const juce::String& name) const { return folder.getChildFile (name).getFullPathName(); }

        /** Files in the folder besides the ones named: leftovers of a failed write would show here. */
        juce::StringArray otherFiles (const juce::StringArray& expected) const
        {
            juce::StringArray others;

            for (const auto& f : folder.findChildFiles (juce::File::findFilesAndDirectories | juce::File::ignoreHiddenFiles, false, "*"))
                if (! expected.contains (f.getFileName()))
                    others.add (f.getFileName());

            for (const auto& f : folder.findChildFiles (juce::File::findFiles, false, ".*"))
                others.add (f.getFileName());

            return others;
        }

        juce::File folder;
    };
}

TEST_F (DecoderFixture, floatFilesDecodeBitForBitAtEveryLevelProgramAndBlockSize)
{
    const auto ms = makeMidSide (3001);
    ASSERT_TRUE (writeAudio (folder.getChildFile ("in.wav"), ms, 32));

    // The levels the plug-in ends up holding: a level handed over by the host arrives as a float,
    // and a float equal to what the plug-in already holds changes nothing (0 dB stays exact).
    const auto viaHost = [] (double decibels) { return (double) (float) DecibelsToValue (decibels); };
    const auto unity = 80.0 / 92.0;

    struct Case { juce::StringArray options; double midValue, sideValue; };
    const Case cases[] = {
        { {}, unity, unity },
        { { "--mid", "-6", "--side", "+3.5" }, viaHost (-6.0), viaHost (3.5) },
        { { "--mid", "-inf" }, 0.0, unity },
        { { "--side", "-inf", "--block", "7" }, unity, 0.0 },
        { { "--mid", "12", "--side", "-80", "--block", "4096" }, 1.0, 0.0 },
        { { "--program", "Mono" }, viaHost (0.0), 0.0 },
        { { "--program", "3", "--block", "1" }, viaHost (0.0), viaHost (-12.0) },
        { { "--program", "150 deg.", "--mid", "-3" }, viaHost (-3.0), viaHost (6.0) },
    };

    for (const auto& c : cases)
    {
        auto arguments = c.options;
        arguments.addArray ({ path ("in.wav"), path ("out.wav"), "--force", "--quiet" });
        const auto run = runDecoder (arguments, folder);
        ASSERT_EQ (run.exitCode, 0) << c.options.joinIntoString (" ") << run.err;

        const auto decoded = readAudio (folder.getChildFile ("out.wav"));
        ASSERT_TRUE (decoded.isFloat);
        ASSERT_EQ (decoded.buffer.getNumSamples(), ms.getNumSamples());

        const auto gM = DecibelsToGain (ValueToDecibels (c.midValue));
        const auto gS = DecibelsToGain (ValueToDecibels (c.sideValue));

        for (int i = 0; i < ms.getNumSamples(); ++i)
        {
            const auto m = (double) ms.getSample (0, i), s = (double) ms.getSample (1, i);
            ASSERT_EQ (decoded.buffer.getSample (0, i), (float) (m * gM + s * gS)) << c.options.joinIntoString (" ") << " sample " << i;
            ASSERT_EQ (decoded.buffer.getSample (1, i), (float) (m * gM - s * gS)) << c.options.joinIntoString (" ") << " sample " << i;
        }
    }
}

TEST_F (DecoderFixture, theLv2BundleDecodesExactlyAsTheVst3)
{
    ASSERT_TRUE (writeAudio (folder.getChildFile ("in.wav"), makeMidSide (5000), 32));
    const auto lv2Bundle = juce::File (TERVANE_LV2_BINARY).getParentDirectory().getFullPathName();

    for (const juce::StringArray levels : { juce::StringArray { "--mid", "-4.5", "--side", "7" },
                                            juce::StringArray { "--program", "30 deg." } })
    {
        auto viaVst3 = levels;
        viaVst3.addArray ({ path ("in.wav"), path ("vst3.wav"), "--force", "--quiet" });
        auto viaLv2 = levels;
        viaLv2.addArray ({ "--plugin", lv2Bundle, path ("in.wav"), path ("lv2.wav"), "--force", "--quiet" });

        ASSERT_EQ (runDecoder (viaVst3, folder).exitCode, 0);
        const auto lv2Run = runDecoder (viaLv2, folder);
        ASSERT_EQ (lv2Run.exitCode, 0) << lv2Run.err;

        juce::MemoryBlock vst3Bytes, lv2Bytes;
        folder.getChildFile ("vst3.wav").loadFileAsData (vst3Bytes);
        folder.getChildFile ("lv2.wav").loadFileAsData (lv2Bytes);
        EXPECT_EQ (vst3Bytes, lv2Bytes) << levels.joinIntoString (" ");
    }
}

TEST_F (DecoderFixture, keepsRateFormatAndDepthUnlessToldOtherwise)
{
    const auto ms = makeMidSide (2000);

    struct Case { const char* input; int inputBits; juce::StringArray options; const char* output; const char* format; int bits; bool isFloat; };
    const Case cases[] = {
        { "in.wav", 24, {}, "out.wav", "WAV file", 24, false },
        { "in.wav", 16, {}, "out.wav", "WAV file", 16, false },
        { "in.aiff", 24, {}, "out.aiff", "AIFF file", 24, false },
        { "in.flac", 16, {}, "out.flac", "FLAC file", 16, false },
        { "in.wav", 24, { "--format", "flac" }, "out.flac", "FLAC file", 24, false },
        { "in.wav", 32, {}, "out.aiff", "AIFF file", 24, false },
        { "in.flac", 24, { "--bits", "32f" }, "out.wav", "WAV file", 32, true },
        { "in.wav", 24, { "--bits", "32" }, "out.wav", "WAV file", 32, false },
        { "in.wav", 24, { "--bits", "16", "--format", "aiff" }, "out", "AIFF file", 16, false },
    };

    for (const auto& c : cases)
    {
        const auto label = juce::String (c.input) + " " + c.options.joinIntoString (" ") + " -> " + c.output;
        ASSERT_TRUE (writeAudio (folder.getChildFile (c.input), ms, c.inputBits, 44100.0)) << label;

        auto arguments = c.options;
        arguments.addArray ({ path (c.input), path (c.output), "--force", "--quiet" });
        const auto run = runDecoder (arguments, folder);
        ASSERT_EQ (run.exitCode, 0) << label << run.err;

        const auto decoded = readAudio (folder.getChildFile (c.output));
        EXPECT_EQ (decoded.format, c.format) << label;
        EXPECT_EQ (decoded.bits, c.bits) << label;
        EXPECT_EQ (decoded.isFloat, c.isFloat) << label;
        EXPECT_EQ (decoded.sampleRate, 44100.0) << label;
        ASSERT_EQ (decoded.buffer.getNumSamples(), 2000) << label;

        // 0 dB: left is M + S, right M - S, to the resolution of the coarser file.
        const auto tolerance = std::min (c.bits, c.inputBits) <= 16 ? 1.0e-4 : 1.0e-6;

        for (int i = 0; i < 2000; i += 37)
        {
            const auto input = readAudio (folder.getChildFile (c.input));
            const auto m = input.buffer.getSample (0, i), s = input.buffer.getSample (1, i);
            ASSERT_NEAR (decoded.buffer.getSample (0, i), m + s, tolerance) << label << " sample " << i;
            ASSERT_NEAR (decoded.buffer.getSample (1, i), m - s, tolerance) << label << " sample " << i;
        }
    }
}

TEST_F (DecoderFixture, reportsPeaksAndOversAndDecodesBatches)
{
    auto loud = makeMidSide (1000);
    loud.setSample (0, 10, 0.9f);
    loud.setSample (1, 10, 0.6f);   // L = 1.5, R = 0.3
    ASSERT_TRUE (writeAudio (folder.getChildFile ("a.wav"), loud, 32));
    ASSERT_TRUE (writeAudio (folder.getChildFile ("b.wav"), makeMidSide (500), 24));
    ASSERT_TRUE (folder.getChildFile ("decoded").createDirectory());

    const auto run = runDecoder ({ path ("a.wav"), path ("b.wav"), "--out-dir", path ("decoded"), "--format", "flac" }, folder);
    ASSERT_EQ (run.exitCode, 0) << run.err;
    EXPECT_TRUE (run.out.contains ("a.flac: peak L +3.52 dBFS")) << run.out;
    EXPECT_TRUE (run.out.contains ("1 samples beyond full scale")) << run.out;
    EXPECT_TRUE (run.out.contains ("b.flac: peak L")) << run.out;
    EXPECT_EQ (readAudio (folder.getChildFile ("decoded/b.flac")).buffer.getNumSamples(), 500);
    EXPECT_TRUE (run.err.isEmpty()) << "no progress bar when stderr is not a terminal: " << run.err;
}

TEST_F (DecoderFixture, badInputGetsAClearMessageAndItsOwnExitCodeAndLosesNothing)
{
    ASSERT_TRUE (writeAudio (folder.getChildFile ("in.wav"), makeMidSide (800), 24));
    ASSERT_TRUE (writeAudio (folder.getChildFile ("mono.wav"), makeMidSide (800, 1), 24));
    ASSERT_TRUE (writeAudio (folder.getChildFile ("three.wav"), makeMidSide (800, 3), 24));
    ASSERT_TRUE (folder.getChildFile ("notes.txt").replaceWithText ("not audio"));
    ASSERT_TRUE (folder.getChildFile ("existing.wav").replaceWithText ("keep me"));
    ASSERT_TRUE (folder.getChildFile ("folder").createDirectory());

    struct Case { const char* what; juce::StringArray arguments; int exitCode; const char* message; };
    const Case cases[] = {
        { "missing input", { path ("nope.wav"), path ("out.wav") }, 3, "no such file" },
        { "not audio", { path ("notes.txt"), path ("out.wav") }, 3, "cannot read it" },
        { "mono input", { path ("mono.wav"), path ("out.wav") }, 4, "has 1 channels" },
        { "three channels", { path ("three.wav"), path ("out.wav") }, 4, "has 3 channels" },
        { "unknown format", { "--format", "mp3", path ("in.wav"), path ("out.wav") }, 2, "--format must be" },
        { "level above the scale", { "--mid", "+13", path ("in.wav"), path ("out.wav") }, 2, "is not a level" },
        { "level below the scale", { "--side", "-81", path ("in.wav"), path ("out.wav") }, 2, "is not a level" },
        { "level not a number", { "--side", "loud", path ("in.wav"), path ("out.wav") }, 2, "is not a level" },
        { "unknown program", { "--program", "Wide", path ("in.wav"), path ("out.wav") }, 2, "unknown program \"Wide\"" },
        { "program number out of range", { "--program", "7", path ("in.wav"), path ("out.wav") }, 2, "not a program number" },
        { "bad block size", { "--block", "0", path ("in.wav"), path ("out.wav") }, 2, "--block needs" },
        { "bits a format cannot hold", { "--bits", "32", path ("in.wav"), path ("out.flac") }, 2, "cannot hold 32-bit" },
        { "unknown option", { "--wide", path ("in.wav"), path ("out.wav") }, 2, "unknown option --wide" },
        { "missing output", { path ("in.wav") }, 2, "need an INPUT and an OUTPUT" },
        { "missing plug-in", { "--plugin", path ("none.vst3"), path ("in.wav"), path ("out.wav") }, 5, "cannot load the plug-in" },
        { "not a plug-in", { "--plugin", path ("folder"), path ("in.wav"), path ("out.wav") }, 5, "not a .vst3 or .lv2 bundle" },
        { "output exists", { path ("in.wav"), path ("existing.wav") }, 6, "exists; use --force" },
        { "output is the input", { path ("in.wav"), path ("in.wav"), "--force" }, 7, "the output is the input" },
        { "output folder missing", { path ("in.wav"), path ("absent/out.wav") }, 8, "the folder does not exist" },
        { "output folder is a file", { path ("in.wav"), path ("notes.txt/out.wav") }, 8, "the folder does not exist" },
    };

    const juce::StringArray kept { "in.wav", "mono.wav", "three.wav", "notes.txt", "existing.wav", "folder" };
    const auto inputBefore = folder.getChildFile ("in.wav").loadFileAsString();

    for (const auto& c : cases)
    {
        const auto run = runDecoder (c.arguments, folder);
        EXPECT_EQ (run.exitCode, c.exitCode) << c.what << ": " << run.err;
        EXPECT_TRUE (run.err.contains (c.message)) << c.what << ": " << run.err;
        EXPECT_EQ (otherFiles (kept), juce::StringArray()) << c.what;
        EXPECT_EQ (folder.getChildFile ("existing.wav").loadFileAsString(), "keep me") << c.what;
        EXPECT_EQ (folder.getChildFile ("in.wav").loadFileAsString(), inputBefore) << c.what;
    }
}

TEST_F (DecoderFixture, interruptionLeavesNoFileAndKeepsAnExistingOne)
{
    // Long enough that the decode is still running when the signal comes.
    ASSERT_TRUE (writeAudio (folder.getChildFile ("long.wav"), makeMidSide (48000 * 120), 16));
    ASSERT_TRUE (folder.getChildFile ("out.wav").replaceWithText ("earlier result"));

    // One-frame blocks make the decode slow enough to be caught once its temporary file exists.
    const auto writing = [this] { return folder.findChildFiles (juce::File::findFiles, false, ".*").size() > 0; };
    const auto run = runDecoder ({ path ("long.wav"), path ("out.wav"), "--force", "--block", "1" }, folder, writing);
    EXPECT_EQ (run.exitCode, 130) << run.err;
    EXPECT_TRUE (run.err.contains ("interrupted")) << run.err;
    EXPECT_EQ (folder.getChildFile ("out.wav").loadFileAsString(), "earlier result");
    EXPECT_EQ (otherFiles ({ "long.wav", "out.wav" }), juce::StringArray());
}

TEST_F (DecoderFixture, aFullDiskFailsCleanly)
{
    // A tiny RAM disk stands in for a full one; without the rights to mount it there is nothing to test.
    const auto disk = folder.getChildFile ("small");
    ASSERT_TRUE (disk.createDirectory());
    const auto mount = "mount -t tmpfs -o size=256k tmpfs " + disk.getFullPathName().quoted() + " 2>/dev/null";

    if (std::system (mount.toRawUTF8()) != 0)
        GTEST_SKIP() << "cannot mount a small tmpfs here";

    ASSERT_TRUE (writeAudio (folder.getChildFile ("in.wav"), makeMidSide (48000 * 4), 24));
    const auto run = runDecoder ({ path ("in.wav"), disk.getChildFile ("out.wav").getFullPathName() }, folder);
    const auto leftovers = disk.findChildFiles (juce::File::findFiles, false, "*").size()
                         + disk.findChildFiles (juce::File::findFiles, false, ".*").size();
    std::system (("umount " + disk.getFullPathName().quoted()).toRawUTF8());

    EXPECT_EQ (run.exitCode, 8) << run.err;
    EXPECT_TRUE (run.err.contains ("cannot write")) << run.err;
    EXPECT_EQ (leftovers, 0);
}

TEST_F (DecoderFixture, memoryStaysFlatWhateverTheLength)
{
   #if defined (__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer keeps freed memory in quarantine, so peak memory says nothing here";
   #endif

    ASSERT_TRUE (writeAudio (folder.getChildFile ("short.wav"), makeMidSide (48000 * 5), 16));
    ASSERT_TRUE (writeAudio (folder.getChildFile ("long.wav"), makeMidSide (48000 * 300), 16));

    const auto shortRun = runDecoder ({ path ("short.wav"), path ("short-out.wav"), "--quiet" }, folder);
    const auto longRun = runDecoder ({ path ("long.wav"), path ("long-out.wav"), "--quiet" }, folder);
    ASSERT_EQ (shortRun.exitCode, 0) << shortRun.err;
    ASSERT_EQ (longRun.exitCode, 0) << longRun.err;
    EXPECT_EQ (readAudio (folder.getChildFile ("long-out.wav")).buffer.getNumSamples(), 48000 * 300);

    // Five minutes of 16-bit stereo is 55 MB; a decoder that held it would show.
    EXPECT_LT (longRun.peakKilobytes, shortRun.peakKilobytes + 4096)
        << "short " << shortRun.peakKilobytes << " kB, long " << longRun.peakKilobytes << " kB";
}
