// SPDX-License-Identifier: GPL-3.0-or-later
// The built VST3 and LV2 bundles, loaded through JUCE's own hosting as a DAW loads them.
#include "processor/PluginConverter.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <gtest/gtest.h>

#include <malloc.h>
#include <set>

namespace
{
    enum class Format { vst3, lv2 };

    const char* const lv2Uri = "https://orvaaudio.com/plugins/tervane64bit";
    const char* const programNames[] = { "Default", "Mono", "30 deg.", "60 deg.", "90 deg.", "120 deg.", "150 deg." };
    const double programSideDecibels[] = { 0.0, -80.0, -18.0, -12.0, -6.0, 0.0, 6.0 };

    juce::AudioPluginFormatManager& formatManager()
    {
        static juce::AudioPluginFormatManager manager;

        if (manager.getNumFormats() == 0)
            manager.addDefaultFormats();

        return manager;
    }

    juce::AudioPluginFormat* findFormat (Format format)
    {
        const juce::String name = format == Format::vst3 ? "VST3" : "LV2";

        for (auto* f : formatManager().getFormats())
            if (f->getName() == name)
                return f;

        return nullptr;
    }

    std::unique_ptr<juce::PluginDescription> describe (Format format)
    {
        auto* pluginFormat = findFormat (format);

        if (pluginFormat == nullptr)
            return {};

        juce::String identifier;

        if (format == Format::vst3)
        {
            // .../ORVATervane64bit.vst3/Contents/x86_64-linux/ORVATervane64bit.so
            identifier = juce::File (TERVANE_VST3_BINARY).getParentDirectory().getParentDirectory()
                             .getParentDirectory().getFullPathName();
        }
        else
        {
            // Searched once, as a host scans at start-up: each search reloads LV2's whole world.
            static const auto found = [pluginFormat]
            {
                const auto folder = juce::File (TERVANE_LV2_BINARY).getParentDirectory().getParentDirectory();
                return pluginFormat->searchPathsForPlugins (juce::FileSearchPath (folder.getFullPathName()), true, false);
            }();

            if (! found.contains (lv2Uri))
                return {};

            identifier = lv2Uri;
        }

        juce::OwnedArray<juce::PluginDescription> types;
        pluginFormat->findAllTypesForFile (types, identifier);

        if (types.isEmpty())
            return {};

        return std::make_unique<juce::PluginDescription> (*types[0]);
    }

    constexpr double sampleRate = 48000.0;
    constexpr int maximumBlockSize = 4096;

    std::unique_ptr<juce::AudioPluginInstance> instantiate (Format format)
    {
        const auto description = describe (format);

        if (description == nullptr)
            return {};

        juce::String error;
        auto instance = formatManager().createPluginInstance (*description, sampleRate, maximumBlockSize, error);

        if (instance != nullptr)
        {
            instance->enableAllBuses();
            instance->prepareToPlay (sampleRate, maximumBlockSize);
        }

        return instance;
    }

    juce::AudioProcessorParameter* findParameter (juce::AudioProcessor& processor, const juce::String& name)
    {
        for (auto* p : processor.getParameters())
            if (p->getName (1024) == name)
                return p;

        return nullptr;
    }

    /** Where the host lists a program by this name; LV2 presets come in no fixed order. */
    int findProgram (juce::AudioProcessor& processor, const juce::String& name)
    {
        for (int i = 0; i < processor.getNumPrograms(); ++i)
            if (processor.getProgramName (i) == name)
                return i;

        return -1;
    }

    double gainOf (float normalisedValue)
    {
        return DecibelsToGain (ValueToDecibels ((double) normalisedValue));
    }

    struct Decoded
    {
        juce::AudioBuffer<float> buffer;
        juce::AudioBuffer<float> input;
    };

    /** One block of M/S material through the plug-in. */
    Decoded process (juce::AudioProcessor& processor, int numSamples, float mid = 0.0f, float side = 0.0f)
    {
        Decoded result { juce::AudioBuffer<float> (2, numSamples), juce::AudioBuffer<float> (2, numSamples) };

        for (int i = 0; i < numSamples; ++i)
        {
            const auto t = (float) i;
            result.input.setSample (0, i, mid != 0.0f ? mid : 0.4f * std::sin (0.05f * t + 0.3f));
            result.input.setSample (1, i, side != 0.0f ? side : 0.3f * std::cos (0.11f * t));
        }

        result.buffer.makeCopyOf (result.input);
        juce::MidiBuffer midi;
        processor.processBlock (result.buffer, midi);
        return result;
    }

    void expectDecodedAt (const Decoded& d, double midGain, double sideGain, const std::string& what)
    {
        for (int i = 0; i < d.buffer.getNumSamples(); ++i)
        {
            const auto m = (double) d.input.getSample (0, i);
            const auto s = (double) d.input.getSample (1, i);
            // The host rounds levels to float, the plug-in may hold them in double: allow for that.
            ASSERT_NEAR (d.buffer.getSample (0, i), m * midGain + s * sideGain, 1.0e-6) << what << ", sample " << i;
            ASSERT_NEAR (d.buffer.getSample (1, i), m * midGain - s * sideGain, 1.0e-6) << what << ", sample " << i;
        }
    }

    struct HostedPlugin : ::testing::TestWithParam<Format>
    {
        void SetUp() override
        {
            plugin = instantiate (GetParam());
            ASSERT_NE (plugin, nullptr) << "the built bundle did not load";
            mid = findParameter (*plugin, "Mid");
            side = findParameter (*plugin, "Side");
            ASSERT_NE (mid, nullptr);
            ASSERT_NE (side, nullptr);
        }

        void TearDown() override
        {
            if (plugin != nullptr)
                plugin->releaseResources();
        }

        /** A host change of both levels, then a block for the ramp to settle. */
        void setLevels (float midValue, float sideValue)
        {
            mid->setValueNotifyingHost (midValue);
            side->setValueNotifyingHost (sideValue);
            process (*plugin, 64);
        }

        std::unique_ptr<juce::AudioPluginInstance> plugin;
        juce::AudioProcessorParameter* mid = nullptr;
        juce::AudioProcessorParameter* side = nullptr;
    };

    /** Rewrites the editor size in our block inside a host's state. Both of JUCE's hosts keep
        the block in JUCE's text encoding: VST3 in the IComponent element of its binary XML, LV2
        as a string in its Turtle. Whatever the wrapper appends after the block is kept. */
    bool withEditorSize (juce::MemoryBlock& hostState, Format format, int width, int height)
    {
        const auto resized = [&] (const juce::String& encoded) -> juce::String
        {
            juce::MemoryBlock block;

            if (! block.fromBase64Encoding (encoded) || block.getSize() < 8)
                return {};

            auto xml = juce::AudioProcessor::getXmlFromBinary (block.getData(), (int) block.getSize());

            if (xml == nullptr || ! xml->hasTagName ("MYPLUGINSETTINGS"))
                return {};

            const auto oldLength = 8 + (size_t) juce::ByteOrder::littleEndianInt (juce::addBytesToPointer (block.getData(), 4));
            xml->setAttribute ("uiWidth", width);
            xml->setAttribute ("uiHeight", height);

            juce::MemoryBlock rewritten;
            juce::AudioProcessor::copyXmlToBinary (*xml, rewritten);
            rewritten.append (juce::addBytesToPointer (block.getData(), oldLength), block.getSize() - oldLength);
            return rewritten.toBase64Encoding();
        };

        if (format == Format::vst3)
        {
            auto outer = juce::AudioProcessor::getXmlFromBinary (hostState.getData(), (int) hostState.getSize());
            auto* component = outer != nullptr ? outer->getChildByName ("IComponent") : nullptr;

            if (component == nullptr)
                return false;

            const auto encoded = resized (component->getAllSubText().trim());

            if (encoded.isEmpty())
                return false;

            component->deleteAllTextElements();
            component->addTextElement (encoded);
            juce::AudioProcessor::copyXmlToBinary (*outer, hostState);
            return true;
        }

        auto turtle = hostState.toString();

        for (int start = turtle.indexOfChar ('"'); start >= 0; start = turtle.indexOfChar (start + 1, '"'))
        {
            const auto end = turtle.indexOfChar (start + 1, '"');

            if (end < 0)
                break;

            const auto encoded = resized (turtle.substring (start + 1, end));

            if (encoded.isNotEmpty())
            {
                turtle = turtle.replaceSection (start + 1, end - start - 1, encoded);
                hostState.replaceAll (turtle.toRawUTF8(), turtle.getNumBytesAsUTF8());
                return true;
            }

            start = end;
        }

        return false;
    }

    std::string formatName (const ::testing::TestParamInfo<Format>& info)
    {
        return info.param == Format::vst3 ? "VST3" : "LV2";
    }
}

TEST_P (HostedPlugin, presentsItsIdentity)
{
    const auto description = describe (GetParam());
    ASSERT_NE (description, nullptr);
    EXPECT_EQ (description->name, "ORVA Tervane 64bit");
    EXPECT_EQ (description->manufacturerName, "ORVA");
    EXPECT_FALSE (description->isInstrument);
    EXPECT_EQ (description->numInputChannels, 2);
    EXPECT_EQ (description->numOutputChannels, 2);

    if (GetParam() == Format::vst3)
        EXPECT_EQ (description->version, "1.0.0.4");

    EXPECT_EQ (plugin->getName(), "ORVA Tervane 64bit");
    EXPECT_FALSE (plugin->acceptsMidi());
    EXPECT_FALSE (plugin->producesMidi());
    EXPECT_TRUE (plugin->hasEditor());
    EXPECT_EQ (plugin->getLatencySamples(), 0);
    EXPECT_EQ (plugin->getTailLengthSeconds(), 0.0);
    EXPECT_EQ (plugin->getTotalNumInputChannels(), 2);
    EXPECT_EQ (plugin->getTotalNumOutputChannels(), 2);
}

TEST_P (HostedPlugin, offersTheTwoLevelsAndNoOtherParameterOfOurs)
{
    // What JUCE's wrappers add on their own: the host bypass, and VST3's program selector.
    const std::set<juce::String> wrapperParameters { "Bypass", "Program", "Enabled" };
    std::multiset<juce::String> ours;

    for (auto* p : plugin->getParameters())
        if (wrapperParameters.count (p->getName (1024)) == 0)
            ours.insert (p->getName (1024));

    EXPECT_EQ (ours, (std::multiset<juce::String> { "Mid", "Side" }));

    for (auto* p : { mid, side })
    {
        EXPECT_NEAR (p->getValue(), 80.0 / 92.0, 1.0e-6);
        EXPECT_NEAR (p->getDefaultValue(), 80.0 / 92.0, 1.0e-6);
        EXPECT_TRUE (p->isAutomatable());

        // LV2 has no way to ask the plug-in for a value's text; JUCE's LV2 host writes its own.
        if (GetParam() == Format::vst3)
        {
            EXPECT_EQ (p->getText (p->getValue(), 1024), "0.87");
            EXPECT_EQ (p->getText (0.25f, 1024), "0.25");
        }
    }
}

TEST_P (HostedPlugin, listsAndSelectsTheSevenPrograms)
{
    ASSERT_EQ (plugin->getNumPrograms(), 7);
    std::set<juce::String> listed;

    for (int i = 0; i < 7; ++i)
        listed.insert (plugin->getProgramName (i));

    EXPECT_EQ (listed, (std::set<juce::String> (std::begin (programNames), std::end (programNames))));

    if (GetParam() == Format::vst3)
        for (int i = 0; i < 7; ++i)
            EXPECT_EQ (plugin->getProgramName (i), programNames[i]);

    // Leave the user's program with Side at -3 dB; the factory programs then show their levels in
    // the audio and "Default" brings the user's levels back.
    setLevels ((float) DecibelsToValue (0.0), (float) DecibelsToValue (-3.0));
    const int order[] = { 1, 2, 3, 4, 5, 6, 0 };

    for (const auto program : order)
    {
        const auto index = findProgram (*plugin, programNames[program]);
        ASSERT_GE (index, 0) << programNames[program];
        plugin->setCurrentProgram (index);
        process (*plugin, 256);
        juce::MessageManager::getInstance()->runDispatchLoopUntil (50);

        const auto sideDecibels = program == 0 ? -3.0 : programSideDecibels[program];
        const auto d = process (*plugin, 256);
        const auto expectedSide = DecibelsToGain (sideDecibels);
        const auto m = d.input.getSample (0, 100), s = d.input.getSample (1, 100);
        EXPECT_NEAR (d.buffer.getSample (0, 100), m + s * expectedSide, 1.0e-5) << programNames[program];
        EXPECT_NEAR (d.buffer.getSample (1, 100), m - s * expectedSide, 1.0e-5) << programNames[program];
        EXPECT_NEAR (side->getValue(), DecibelsToValue (sideDecibels), 1.0e-6) << programNames[program];
    }
}

TEST_P (HostedPlugin, decodesAtSeveralLevelsAndBlockSizes)
{
    const float levels[][2] = { { (float) (80.0 / 92.0), (float) (80.0 / 92.0) },
                                { 1.0f, 0.0f },
                                { 0.0f, 1.0f },
                                { (float) DecibelsToValue (-6.0), (float) DecibelsToValue (4.5) } };
    const int blockSizes[] = { 1, 2, 3, 7, 64, 127, 512, 1000, 2047, 4096 };

    for (const auto& level : levels)
    {
        setLevels (level[0], level[1]);

        for (const auto n : blockSizes)
            expectDecodedAt (process (*plugin, n), gainOf (level[0]), gainOf (level[1]),
                             "block of " + std::to_string (n) + " at " + std::to_string (level[0]) + "/" + std::to_string (level[1]));
    }
}

TEST_P (HostedPlugin, levelChangeReachesTheNextBlockWithoutAStep)
{
    constexpr int n = 512;
    setLevels ((float) (80.0 / 92.0), (float) (80.0 / 92.0));
    process (*plugin, n, 0.5f, 1.0e-30f);

    const auto quieter = (float) DecibelsToValue (-6.0);
    mid->setValueNotifyingHost (quieter);

    const auto ramp = process (*plugin, n, 0.5f, 1.0e-30f);
    const auto target = (float) (0.5 * gainOf (quieter));
    EXPECT_NEAR (ramp.buffer.getSample (0, 0), 0.5f, 1.0e-6);
    EXPECT_NEAR (ramp.buffer.getSample (0, n - 1), target, 1.0e-6);

    const auto evenStep = (0.5 - target) / (n - 1);

    for (int i = 1; i < n; ++i)
        ASSERT_NEAR (ramp.buffer.getSample (0, i - 1) - ramp.buffer.getSample (0, i), evenStep, 1.0e-6) << "sample " << i;

    const auto settled = process (*plugin, n, 0.5f, 1.0e-30f);

    for (int i = 0; i < n; ++i)
        ASSERT_NEAR (settled.buffer.getSample (0, i), target, 1.0e-7);
}

TEST_P (HostedPlugin, stateSavedFromOneInstanceRestoresIntoAnother)
{
    const auto midValue = (float) DecibelsToValue (-9.5);
    const auto sideValue = (float) DecibelsToValue (7.25);
    setLevels (midValue, sideValue);

    juce::MemoryBlock state;
    plugin->getStateInformation (state);
    ASSERT_GT (state.getSize(), 0u);

    auto other = instantiate (GetParam());
    ASSERT_NE (other, nullptr);
    other->setStateInformation (state.getData(), (int) state.getSize());

    auto* otherMid = findParameter (*other, "Mid");
    auto* otherSide = findParameter (*other, "Side");
    ASSERT_NE (otherMid, nullptr);
    ASSERT_NE (otherSide, nullptr);

    process (*other, 64);
    juce::MessageManager::getInstance()->runDispatchLoopUntil (50);
    process (*other, 64);
    EXPECT_NEAR (otherMid->getValue(), midValue, 1.0e-7);
    EXPECT_NEAR (otherSide->getValue(), sideValue, 1.0e-7);
    expectDecodedAt (process (*other, 300), gainOf (midValue), gainOf (sideValue), "restored instance");
    other->releaseResources();
}

TEST_P (HostedPlugin, editorOpensInTheHostAtItsStoredSize)
{
    const auto openedSize = [this]
    {
        std::unique_ptr<juce::AudioProcessorEditor> editor (plugin->createEditorIfNeeded());

        if (editor == nullptr)
            return juce::Rectangle<int>();

        // A host shows the plug-in's view in one of its own windows.
        editor->addToDesktop (0);
        editor->setVisible (true);

        for (int i = 0; i < 50; ++i)
            juce::MessageManager::getInstance()->runDispatchLoopUntil (10);

        const auto bounds = editor->getLocalBounds();
        editor.reset();
        juce::MessageManager::getInstance()->runDispatchLoopUntil (50);
        return bounds;
    };

    EXPECT_EQ (openedSize(), juce::Rectangle<int> (472, 480));

    // A project saved by an instance whose editor had another size.
    juce::MemoryBlock state;
    plugin->getStateInformation (state);
    ASSERT_TRUE (withEditorSize (state, GetParam(), 520, 500));
    plugin->setStateInformation (state.getData(), (int) state.getSize());

    EXPECT_EQ (openedSize(), juce::Rectangle<int> (520, 500));
}

INSTANTIATE_TEST_SUITE_P (Formats, HostedPlugin, ::testing::Values (Format::vst3, Format::lv2), formatName);

TEST (HostedEditor, openingAndClosingFiftyTimesKeepsMemoryFlat)
{
    auto plugin = instantiate (Format::vst3);
    ASSERT_NE (plugin, nullptr);

    const auto openAndClose = [&plugin]
    {
        std::unique_ptr<juce::AudioProcessorEditor> editor (plugin->createEditorIfNeeded());
        ASSERT_NE (editor, nullptr);
        editor->addToDesktop (0);
        editor->setVisible (true);
        juce::MessageManager::getInstance()->runDispatchLoopUntil (20);
        editor.reset();
        juce::MessageManager::getInstance()->runDispatchLoopUntil (5);
    };

    for (int i = 0; i < 5; ++i)
        openAndClose();

    const auto before = mallinfo2();

    for (int i = 0; i < 45; ++i)
        openAndClose();

   #if ! defined (__SANITIZE_ADDRESS__)
    const auto after = mallinfo2();
    EXPECT_LT (after.uordblks + after.hblkhd, before.uordblks + before.hblkhd + 1024 * 1024);
   #else
    juce::ignoreUnused (before);
   #endif

    plugin->releaseResources();
}
