// SPDX-License-Identifier: GPL-3.0-or-later
// Any block a host or a damaged project may hand to setStateInformation: no crash, no sanitizer
// report, a block that is not usable changes nothing, and whatever is restored stays in range.
#include "processor/PluginProcessor.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace
{
    struct Members
    {
        int32_t width, height, storedProgram, currentProgram;
        double mid, side, userMid, userSide;

        explicit Members (const JuceDemoPluginAudioProcessor& p)
            : width (p.uiWidth), height (p.uiHeight), storedProgram (p.storedProgramNum),
              currentProgram (p.currentProgram), mid (p.parameters.midValue), side (p.parameters.sideValue),
              userMid (p.parameters.userMidValue), userSide (p.parameters.userSideValue)
        {
        }

        bool operator== (const Members& o) const
        {
            return width == o.width && height == o.height && storedProgram == o.storedProgram
                && currentProgram == o.currentProgram && mid == o.mid && side == o.side
                && userMid == o.userMid && userSide == o.userSide;
        }
    };

    void check (bool condition, const char* what)
    {
        if (! condition)
        {
            std::fprintf (stderr, "invariant broken: %s\n", what);
            std::abort();
        }
    }

    /** Whether the block holds the settings element at all, judged apart from the processor. Text
        that is not valid UTF-8, or that has a processing instruction after the first element
        starts, is unusable (either would trip JUCE's parser). */
    bool isUsable (const uint8_t* data, size_t size)
    {
        if (size > 8)
        {
            const auto length = (int32_t) juce::ByteOrder::littleEndianInt (data + 4);
            const auto* text = reinterpret_cast<const char*> (data + 8);
            const auto available = length > 0 ? std::min ((size_t) length, size - 8) : 0;
            const std::string_view xml (text, ::strnlen (text, available));

            if (! juce::CharPointer_UTF8::isValidString (text, (int) xml.size()))
                return false;

            for (size_t i = 0; i + 1 < xml.size(); ++i)
            {
                if (xml[i] == '<' && xml[i + 1] != '?' && xml[i + 1] != '!')
                {
                    if (xml.find ("<?", i) != std::string_view::npos)
                        return false;

                    break;
                }
            }
        }

        const auto xml = juce::AudioProcessor::getXmlFromBinary (data, (int) size);
        return xml != nullptr && xml->getTagName().equalsIgnoreCase ("MYPLUGINSETTINGS");
    }
}

// libFuzzer calls this for every input it tries.
extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size);

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    if (size > (size_t) std::numeric_limits<int>::max())
        return 0;

    // One processor for the whole run, set back to known values before each block.
    static JuceDemoPluginAudioProcessor processor;
    processor.uiWidth = 500;
    processor.uiHeight = 400;
    processor.parameters.midValue = 0.25;
    processor.parameters.sideValue = 0.75;
    processor.storedProgramNum = 3;

    const Members before (processor);
    processor.setStateInformation (data, (int) size);
    const Members after (processor);

    if (! isUsable (data, size))
        check (after == before, "an unusable block changed the processor");

    check (std::isfinite (after.mid) && after.mid >= 0.0 && after.mid <= 1.0, "Mid is outside [0, 1]");
    check (std::isfinite (after.side) && after.side >= 0.0 && after.side <= 1.0, "Side is outside [0, 1]");
    check (after.width >= 64 && after.width <= 8192, "editor width outside 64..8192");
    check (after.height >= 64 && after.height <= 8192, "editor height outside 64..8192");
    check (after.currentProgram == before.currentProgram, "a restore selected a program");
    check (after.userMid == before.userMid && after.userSide == before.userSide, "a restore changed the user levels");
    return 0;
}
