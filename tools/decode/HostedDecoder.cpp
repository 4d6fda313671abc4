// SPDX-License-Identifier: GPL-3.0-or-later
#include "HostedDecoder.h"

#include "processor/PluginConverter.h"
#include "processor/PluginProcessor.h"

#include <cmath>

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
        juce::MessageManager::getInstance()->runDispatchLoopUntil (5);
    }
}

std::optional<Failure> HostedDecoder::configure (const Settings& settings)
{
    const auto fail = [] (ExitCode code, const juce::String& message) { return Failure { code, message }; };

    plugin->setPlayConfigDetails (2, 2, settings.sampleRate, settings.blockSize);
    plugin->prepareToPlay (settings.sampleRate, settings.blockSize);
    silence.setSize (2, settings.blockSize);
    primeWithSilence();

    if (settings.program.isNotEmpty())
    {
        // Numbers name the programs in the plug-in's own order; hosts such as LV2 list them in any.
        auto name = settings.program;

        if (name.containsOnly ("0123456789"))
        {
            JuceDemoPluginAudioProcessor reference;
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

        if (index < 0)
            return fail (usageError, "unknown program " + name.quoted() + "; the programs are: "
                                         + names.joinIntoString (", "));

        plugin->setCurrentProgram (index);
        primeWithSilence();
    }

    auto* mid = findParameter (*plugin, "Mid");
    auto* side = findParameter (*plugin, "Side");

    if (settings.midDecibels)
        mid->setValueNotifyingHost ((float) levelToValue (*settings.midDecibels));

    if (settings.sideDecibels)
        side->setValueNotifyingHost ((float) levelToValue (*settings.sideDecibels));

    if (settings.program.isEmpty() && ! settings.midDecibels)
        mid->setValueNotifyingHost ((float) DecibelsToValue (0.0));

    if (settings.program.isEmpty() && ! settings.sideDecibels)
        side->setValueNotifyingHost ((float) DecibelsToValue (0.0));

    primeWithSilence();

    midDecibels = ValueToDecibels (mid->getValue());
    sideDecibels = ValueToDecibels (side->getValue());

    if (settings.midDecibels && std::abs (mid->getValue() - (float) levelToValue (*settings.midDecibels)) > 1.0e-6f)
        return fail (pluginUnavailable, "the plug-in did not take the Mid level");

    if (settings.sideDecibels && std::abs (side->getValue() - (float) levelToValue (*settings.sideDecibels)) > 1.0e-6f)
        return fail (pluginUnavailable, "the plug-in did not take the Side level");

    return std::nullopt;
}

void HostedDecoder::process (juce::AudioBuffer<float>& block)
{
    plugin->processBlock (block, midi);
}
}
