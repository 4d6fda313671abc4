// SPDX-License-Identifier: GPL-3.0-or-later
#include "HostedDecoder.h"

#include "processor/PluginConverter.h"
#include "processor/PluginProcessor.h"

#include <cmath>
#include <functional>

namespace decode
{
namespace
{
    juce::AudioProcessorParameter* findParameter (juce::AudioProcessor& processor, const juce::String& name)
    {
        for (auto* p : processor.getParameters())
            if (p->getName (1024) == name)
                return p;

        return nullptr;
    }

    /** The LV2 URI of the plug-in that the bundle's manifest declares: the subject of "a lv2:Plugin". */
    juce::String lv2UriOf (const juce::File& bundle)
    {
        const auto manifest = bundle.getChildFile ("manifest.ttl").loadFileAsString();
        const auto declaration = manifest.indexOf ("a lv2:Plugin");

        if (declaration < 0)
            return {};

        const auto before = manifest.substring (0, declaration);
        const auto start = before.lastIndexOfChar ('<');
        const auto end = before.lastIndexOfChar ('>');

        return start >= 0 && end > start ? before.substring (start + 1, end) : juce::String();
    }

    double levelToValue (double decibels)
    {
        return std::isfinite (decibels) ? DecibelsToValue (decibels) : 0.0;
    }
}

juce::File HostedDecoder::defaultBundle()
{
    // .../ORVATervane64bit.vst3/Contents/<architecture>/ORVATervane64bit.so
    const auto built = juce::File (TERVANE_BUILT_VST3_BINARY).getParentDirectory().getParentDirectory().getParentDirectory();

    if (built.isDirectory())
        return built;

    return juce::File::getSpecialLocation (juce::File::userHomeDirectory).getChildFile (".vst3/ORVATervane64bit.vst3");
}

std::variant<std::unique_ptr<HostedDecoder>, Failure> HostedDecoder::load (const Settings& settings)
{
    const auto& bundle = settings.bundle;
    const auto failure = [&] (const juce::String& why)
    {
        return Failure { pluginUnavailable, "cannot load the plug-in " + bundle.getFullPathName() + ": " + why };
    };

    if (! bundle.exists())
        return failure ("no such file or folder");

    auto formats = std::make_unique<juce::AudioPluginFormatManager>();
    formats->addDefaultFormats();

    const auto isLv2 = bundle.hasFileExtension ("lv2");
    juce::AudioPluginFormat* format = nullptr;

    for (auto* f : formats->getFormats())
        if (f->getName() == (isLv2 ? "LV2" : "VST3"))
            format = f;

    if (format == nullptr || ! (isLv2 || bundle.hasFileExtension ("vst3")))
        return failure ("not a .vst3 or .lv2 bundle");

    auto identifier = bundle.getFullPathName();

    if (isLv2)
    {
        identifier = lv2UriOf (bundle);
        const auto found = format->searchPathsForPlugins (juce::FileSearchPath (bundle.getParentDirectory().getFullPathName()),
                                                          false, false);

        if (identifier.isEmpty() || ! found.contains (identifier))
            return failure ("no LV2 plug-in found in the bundle");
    }

    juce::OwnedArray<juce::PluginDescription> types;
    format->findAllTypesForFile (types, identifier);

    if (types.isEmpty())
        return failure ("no plug-in found in the bundle");

    juce::String error;
    auto instance = formats->createPluginInstance (*types[0], settings.sampleRate, settings.blockSize, error);

    if (instance == nullptr)
        return failure (error.isNotEmpty() ? error : "the host could not create it");

    if (findParameter (*instance, "Mid") == nullptr || findParameter (*instance, "Side") == nullptr)
        return failure ("it is not a mid/side decoder with Mid and Side levels");

    std::unique_ptr<HostedDecoder> decoder (new HostedDecoder (std::move (formats), std::move (instance)));

    if (auto problem = decoder->configure (settings))
        return *problem;

    return decoder;
}

HostedDecoder::HostedDecoder (std::unique_ptr<juce::AudioPluginFormatManager> f, std::unique_ptr<juce::AudioPluginInstance> p)
    : formats (std::move (f)), plugin (std::move (p))
{
}

HostedDecoder::~HostedDecoder()
{
    if (plugin != nullptr)
        plugin->releaseResources();

    plugin.reset();
}

void HostedDecoder::primeWithSilence()
{
    // The host hands changes to the plug-in with a block; silent blocks that nobody hears carry
    // them, and let the plug-in's level ramp finish before the first real sample.
    for (int i = 0; i < 2; ++i)
    {
        silence.clear();
        plugin->processBlock (silence, midi);
        juce::MessageManager::getInstance()->runDispatchLoopUntil (2);
    }
}

bool HostedDecoder::decodesAt (double midValue, double sideValue)
{
    // A test block shows the gains the plug-in really applies: L + R = 2 M gM, L - R = 2 S gS.
    constexpr float testMid = 0.5f, testSide = 0.25f;
    const auto n = silence.getNumSamples();

    for (int channel = 0; channel < 2; ++channel)
        juce::FloatVectorOperations::fill (silence.getWritePointer (channel), channel == 0 ? testMid : testSide, n);

    plugin->processBlock (silence, midi);

    const auto matches = [] (double measured, double value)
    {
        const auto expected = DecibelsToGain (ValueToDecibels (value));
        return std::abs (measured - expected) <= 1.0e-6 * std::max (1.0, expected);
    };

    for (const auto i : { 0, n - 1 })
    {
        const auto left = (double) silence.getSample (0, i), right = (double) silence.getSample (1, i);

        if (! matches ((left + right) / (2.0 * testMid), midValue) || ! matches ((left - right) / (2.0 * testSide), sideValue))
            return false;
    }

    return true;
}

std::optional<Failure> HostedDecoder::configure (const Settings& settings)
{
    const auto fail = [] (ExitCode code, const juce::String& message) { return Failure { code, message }; };

    plugin->setPlayConfigDetails (2, 2, settings.sampleRate, settings.blockSize);
    plugin->prepareToPlay (settings.sampleRate, settings.blockSize);
    silence.setSize (2, settings.blockSize);
    primeWithSilence();

    // The levels to decode at, found with the plug-in's own program logic.
    JuceDemoPluginAudioProcessor reference;
    auto* mid = findParameter (*plugin, "Mid");
    auto* side = findParameter (*plugin, "Side");

    // Hosts deliver changes asynchronously, some through more than one thread; keep asking until
    // the audio itself shows the levels, as a test block measures them.
    const auto settle = [&] (const std::function<void()>& request, double midValue, double sideValue)
    {
        for (int attempt = 0; attempt < 400; ++attempt)
        {
            if (attempt % 20 == 0)
                request();

            primeWithSilence();

            if (decodesAt (midValue, sideValue) && decodesAt (midValue, sideValue))
                return true;

            juce::MessageManager::getInstance()->runDispatchLoopUntil (5);
        }

        return false;
    };

    if (settings.program.isNotEmpty())
    {
        // Numbers name the programs in the plug-in's own order; hosts such as LV2 list them in any.
        auto name = settings.program;

        if (name.containsOnly ("0123456789"))
        {
            const auto number = name.getIntValue();

            if (name.length() > 2 || number < 0 || number >= reference.getNumPrograms())
                return fail (usageError, "--program " + name + " is not a program number from 0 to "
                                             + juce::String (reference.getNumPrograms() - 1));

            name = reference.getProgramName (number);
        }

        int index = -1;
        juce::StringArray names;

        for (int i = 0; i < plugin->getNumPrograms(); ++i)
        {
            names.add (plugin->getProgramName (i));

            if (plugin->getProgramName (i).equalsIgnoreCase (name))
                index = i;
        }

        int referenceIndex = -1;

        for (int i = 0; i < reference.getNumPrograms(); ++i)
            if (reference.getProgramName (i).equalsIgnoreCase (name))
                referenceIndex = i;

        if (index < 0 || referenceIndex < 0)
            return fail (usageError, "unknown program " + name.quoted() + "; the programs are: "
                                         + names.joinIntoString (", "));

        reference.setCurrentProgram (referenceIndex);

        if (! settle ([&] { plugin->setCurrentProgram (index); },
                      reference.parameters.midValue.load(), reference.parameters.sideValue.load()))
            return fail (pluginUnavailable, "the plug-in did not take the program " + name.quoted());
    }

    const auto levelOr = [] (const std::optional<double>& decibels, double current)
    {
        return decibels ? (double) (float) levelToValue (*decibels) : current;
    };

    const auto midValue = levelOr (settings.midDecibels, reference.parameters.midValue.load());
    const auto sideValue = levelOr (settings.sideDecibels, reference.parameters.sideValue.load());

    const auto requestLevels = [&]
    {
        // Only real changes: a float equal to what the plug-in holds would round its level.
        if (mid->getValue() != (float) midValue)
            mid->setValueNotifyingHost ((float) midValue);

        if (side->getValue() != (float) sideValue)
            side->setValueNotifyingHost ((float) sideValue);
    };

    if (! settle (requestLevels, midValue, sideValue))
        return fail (pluginUnavailable, "the plug-in did not take the Mid and Side levels");

    return std::nullopt;
}

void HostedDecoder::process (juce::AudioBuffer<float>& block)
{
    plugin->processBlock (block, midi);
}
}
