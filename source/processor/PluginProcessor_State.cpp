// SPDX-License-Identifier: GPL-3.0-or-later
#include "PluginProcessor.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string_view>

namespace
{
    const juce::Identifier settingsTag      { "MYPLUGINSETTINGS" };
    const juce::Identifier widthAttribute   { "uiWidth" };
    const juce::Identifier heightAttribute  { "uiHeight" };
    const juce::Identifier midAttribute     { "Mid" };
    const juce::Identifier sideAttribute    { "Side" };
    const juce::Identifier programAttribute { "StoredProgramNum" };

    constexpr auto relaxed = std::memory_order_relaxed;

    /** Reads an integer as C's atoi does (blanks, sign, digits, 0 when there are none), but
        saturates instead of overflowing. Absent attributes give nothing. */
    std::optional<int32_t> readInteger (const juce::XmlElement& element, const juce::Identifier& name)
    {
        if (! element.hasAttribute (name))
            return std::nullopt;

        const auto text = element.getStringAttribute (name).toStdString();
        const auto value = std::strtol (text.c_str(), nullptr, 10);
        return (int32_t) juce::jlimit<long> (INT32_MIN, INT32_MAX, value);
    }

    /** Whether a number's exponent has more significant digits than any double's: JUCE's reader
        adds them up in an int, which overflows on a few more. The layout is the one that reader
        takes: blanks, a sign, digits with a point, then e or E, a sign and the exponent. */
    bool hasExponentBeyondAnyDouble (const juce::String& text)
    {
        auto p = text.getCharPointer();
        const auto skipDigits = [&p] { while (p.isDigit()) ++p; };

        p.incrementToEndOfWhitespace();

        if (*p == '+' || *p == '-')
            ++p;

        skipDigits();

        if (*p == '.')
        {
            ++p;
            skipDigits();
        }

        if (*p != 'e' && *p != 'E')
            return false;

        ++p;

        if (*p == '+' || *p == '-')
            ++p;

        while (*p == '0')
            ++p;

        auto digits = 0;

        for (; p.isDigit(); ++p)
            ++digits;

        return digits > 4;
    }

    /** Reads a level; malformed text gives 0. A value that is not a finite number counts as absent
        and a finite one is brought into the normalised range, so no state can blast the outputs. */
    std::optional<double> readLevel (const juce::XmlElement& element, const juce::Identifier& name)
    {
        if (! element.hasAttribute (name) || hasExponentBeyondAnyDouble (element.getStringAttribute (name)))
            return std::nullopt;

        const auto value = element.getDoubleAttribute (name);

        if (! std::isfinite (value))
            return std::nullopt;

        return juce::jlimit (0.0, 1.0, value);
    }

    /** Whether a processing instruction ("<?...?>") follows the start of the first element. We
        never write one there, and JUCE's parser loops for ever on one that is followed by text
        inside an element: it skips the instruction as white space, then rolls back over it. */
    bool hasInstructionInsideElements (const char* text, size_t length)
    {
        const std::string_view xml (text, length);

        for (size_t i = xml.find ('<'); i != std::string_view::npos; i = xml.find ('<', i + 1))
        {
            const auto next = i + 1 < xml.size() ? xml[i + 1] : '\0';

            if (next != '?' && next != '!')
                return xml.find ("<?", i) != std::string_view::npos;
        }

        return false;
    }

    /** The XML of a saved block: magic, length, then the text up to its first zero byte. Text that
        is not valid UTF-8 is refused here, because JUCE's XML parser can read past the end of a
        string that holds a broken multi-byte sequence; so is text that would make it loop. */
    std::unique_ptr<juce::XmlElement> readSettingsXml (const void* data, int sizeInBytes)
    {
        constexpr uint32_t magic = 0x21324356;

        if (data == nullptr || sizeInBytes <= 8 || juce::ByteOrder::littleEndianInt (data) != magic)
            return {};

        const auto length = (int32_t) juce::ByteOrder::littleEndianInt (juce::addBytesToPointer (data, 4));

        if (length <= 0)
            return {};

        const auto* text = static_cast<const char*> (data) + 8;
        const auto available = (size_t) juce::jmin (length, sizeInBytes - 8);
        const auto textBytes = (int) ::strnlen (text, available);

        if (! juce::CharPointer_UTF8::isValidString (text, textBytes)
            || hasInstructionInsideElements (text, (size_t) textBytes))
            return {};

        return juce::parseXML (juce::String::fromUTF8 (text, textBytes));
    }

    bool isUsableEditorSize (int32_t pixels)
    {
        return pixels >= JuceDemoPluginAudioProcessor::minimumEditorSize
            && pixels <= JuceDemoPluginAudioProcessor::maximumEditorSize;
    }
}

void JuceDemoPluginAudioProcessor::getStateInformation (juce::MemoryBlock& destData)
{
    juce::XmlElement xml (settingsTag);
    xml.setAttribute (widthAttribute, (int) uiWidth.load (relaxed));
    xml.setAttribute (heightAttribute, (int) uiHeight.load (relaxed));
    xml.setAttribute (midAttribute, parameters.midValue.load (relaxed));
    xml.setAttribute (sideAttribute, parameters.sideValue.load (relaxed));
    xml.setAttribute (programAttribute, (int) currentProgram.load (relaxed));

    destData.reset();
    copyXmlToBinary (xml, destData);
}

void JuceDemoPluginAudioProcessor::setStateInformation (const void* data, int sizeInBytes)
{
    const auto xml = readSettingsXml (data, sizeInBytes);

    // Compared directly rather than with hasTagName, which also accepts other letter cases but
    // complains about them in debug builds.
    if (xml == nullptr || ! xml->getTagName().equalsIgnoreCase (settingsTag.toString()))
        return;

    if (const auto width = readInteger (*xml, widthAttribute); width && isUsableEditorSize (*width))
        uiWidth.store (*width, relaxed);

    if (const auto height = readInteger (*xml, heightAttribute); height && isUsableEditorSize (*height))
        uiHeight.store (*height, relaxed);

    if (const auto mid = readLevel (*xml, midAttribute))
        parameters.midValue.store (*mid, relaxed);

    if (const auto side = readLevel (*xml, sideAttribute))
        parameters.sideValue.store (*side, relaxed);

    if (const auto program = readInteger (*xml, programAttribute))
        storedProgramNum.store (*program, relaxed);

    // Not a notification from within the host's own restore call, which wrappers would mute, but a
    // later one, so that hosts that keep their own copy of the levels (LV2 hosts do) show these.
    hostValueRefresher.triggerAsyncUpdate();
}
