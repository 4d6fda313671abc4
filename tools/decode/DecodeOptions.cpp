// SPDX-License-Identifier: GPL-3.0-or-later
#include "DecodeOptions.h"

#include <cmath>
#include <limits>

namespace decode
{
std::optional<double> parseLevel (const juce::String& text)
{
    const auto trimmed = text.trim().toLowerCase();

    if (trimmed == "-inf" || trimmed == "-infinity")
        return -std::numeric_limits<double>::infinity();

    const auto chars = trimmed.toStdString();
    char* end = nullptr;
    const auto value = std::strtod (chars.c_str(), &end);

    if (chars.empty() || end == nullptr || *end != '\0' || ! std::isfinite (value))
        return std::nullopt;

    if (value < -80.0 || value > 12.0)
        return std::nullopt;

    return value;
}

juce::String usageText()
{
    return "usage: tervane-decode [options] INPUT OUTPUT\n"
           "       tervane-decode [options] INPUT... --out-dir DIR\n"
           "\n"
           "Decodes mid/side recordings (channel 1 Mid, channel 2 Side) into left/right\n"
           "through the ORVA Tervane 64bit plug-in.\n"
           "\n"
           "  --mid DB          Mid level, -inf or -80 to +12 dB (default 0)\n"
           "  --side DB         Side level, -inf or -80 to +12 dB (default 0)\n"
           "  --program N|NAME  start from one of the plug-in's programs (0-6 or its name)\n"
           "  --block N         frames per block, 1 to 65536 (default 512)\n"
           "  --format F        wav, aiff or flac (default: the output's extension, else the input's)\n"
           "  --bits B          16, 24, 32 or 32f (default: the input's)\n"
           "  --plugin PATH     a .vst3 or .lv2 bundle to use instead of the built VST3\n"
           "  --out-dir DIR     write each input's result into DIR under the same name\n"
           "  --force           replace an existing output\n"
           "  --quiet           no progress bar and no summary\n"
           "  --help            this text\n";
}

std::variant<Options, Failure> parseOptions (const juce::StringArray& arguments)
{
    Options options;
    juce::StringArray positional;

    const auto fail = [] (const juce::String& message) { return Failure { usageError, message }; };

    for (int i = 0; i < arguments.size(); ++i)
    {
        const auto& argument = arguments[i];

        const auto takeValue = [&] () -> std::optional<juce::String>
        {
            if (i + 1 >= arguments.size())
                return std::nullopt;

            return arguments[++i];
        };

        if (argument == "--help" || argument == "-h")
        {
            options.help = true;
        }
        else if (argument == "--force")
        {
            options.force = true;
        }
        else if (argument == "--quiet")
        {
            options.quiet = true;
        }
        else if (argument == "--mid" || argument == "--side")
        {
            const auto value = takeValue();

            if (! value)
                return fail (argument + " needs a level in dB");

            const auto level = parseLevel (*value);

            if (! level)
                return fail (argument + " " + value->quoted() + " is not a level from -inf to +12 dB");

            (argument == "--mid" ? options.midDecibels : options.sideDecibels) = *level;
        }
        else if (argument == "--program")
        {
            const auto value = takeValue();

            if (! value || value->trim().isEmpty())
                return fail ("--program needs a number from 0 to 6 or a program's name");

            options.program = value->trim();
        }
        else if (argument == "--block")
        {
            const auto value = takeValue();

            if (! value || ! value->containsOnly ("0123456789") || value->isEmpty()
                || value->length() > 6 || value->getIntValue() < 1 || value->getIntValue() > 65536)
                return fail ("--block needs a number of frames from 1 to 65536");

            options.blockSize = value->getIntValue();
        }
        else if (argument == "--format")
        {
            const auto value = takeValue();

            if (! value || ! juce::StringArray { "wav", "aiff", "flac" }.contains (value->toLowerCase()))
                return fail ("--format must be wav, aiff or flac");

            options.format = value->toLowerCase();
        }
        else if (argument == "--bits")
        {
            const auto value = takeValue();

            if (! value || ! juce::StringArray { "16", "24", "32", "32f" }.contains (value->toLowerCase()))
                return fail ("--bits must be 16, 24, 32 or 32f");

            options.bits = value->toLowerCase();
        }
        else if (argument == "--plugin")
        {
            const auto value = takeValue();

            if (! value)
                return fail ("--plugin needs the path of a .vst3 or .lv2 bundle");

            options.plugin = juce::File::getCurrentWorkingDirectory().getChildFile (*value);
        }
        else if (argument == "--out-dir")
        {
            const auto value = takeValue();

            if (! value)
                return fail ("--out-dir needs a folder");

            options.outputFolder = juce::File::getCurrentWorkingDirectory().getChildFile (*value);
        }
        else if (argument.startsWith ("--"))
        {
            return fail ("unknown option " + argument);
        }
        else
        {
            positional.add (argument);
        }
    }

    if (options.help)
        return options;

    if (options.outputFolder != juce::File())
    {
        if (positional.isEmpty())
            return fail ("no input files");

        options.inputs = positional;
        return options;
    }

    if (positional.size() != 2)
        return fail (positional.size() < 2 ? "need an INPUT and an OUTPUT (or --out-dir DIR)"
                                           : "several inputs need --out-dir DIR");

    options.inputs.add (positional[0]);
    options.output = juce::File::getCurrentWorkingDirectory().getChildFile (positional[1]);
    return options;
}
}
