// SPDX-License-Identifier: GPL-3.0-or-later
#include "processor/PluginProcessor.h"

#include <gtest/gtest.h>

namespace
{
    const char* const newInstanceXml =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?> <MYPLUGINSETTINGS uiWidth=\"472\" uiHeight=\"480\" "
        "Mid=\"0.8695652173913043\" Side=\"0.8695652173913043\" StoredProgramNum=\"0\"/>";

    void appendLittleEndian (juce::MemoryBlock& block, uint32_t value)
    {
        const uint8_t bytes[] = { (uint8_t) value, (uint8_t) (value >> 8), (uint8_t) (value >> 16), (uint8_t) (value >> 24) };
        block.append (bytes, 4);
    }

    /** A block in the saved format around any text, with the length field given or taken from the text. */
    juce::MemoryBlock makeBlock (const std::string& text, int64_t lengthField = -1, uint32_t magic = 0x21324356)
    {
        juce::MemoryBlock block;
        appendLittleEndian (block, magic);
        appendLittleEndian (block, (uint32_t) (lengthField < 0 ? (int64_t) text.size() : lengthField));
        block.append (text.data(), text.size());
        block.append ("", 1);
        return block;
    }

    std::string settings (const std::string& attributes, const std::string& tag = "MYPLUGINSETTINGS")
    {
        return "<?xml version=\"1.0\" encoding=\"UTF-8\"?> <" + tag + " " + attributes + "/>";
    }

    /** Everything a restore may touch, to compare before and after. */
    struct Snapshot
    {
        int32_t width, height, storedProgram, currentProgram;
        double mid, side, userMid, userSide;

        explicit Snapshot (const JuceDemoPluginAudioProcessor& p)
            : width (p.uiWidth), height (p.uiHeight), storedProgram (p.storedProgramNum), currentProgram (p.currentProgram),
              mid (p.parameters.midValue), side (p.parameters.sideValue),
              userMid (p.parameters.userMidValue), userSide (p.parameters.userSideValue)
        {
        }

        bool operator== (const Snapshot& o) const
        {
            return width == o.width && height == o.height && storedProgram == o.storedProgram
                && currentProgram == o.currentProgram && mid == o.mid && side == o.side
                && userMid == o.userMid && userSide == o.userSide;
        }
    };

    /** A processor whose members all differ from a new instance's, so that any change shows. */
    struct StateFixture : ::testing::Test
    {
        StateFixture()
        {
            processor.uiWidth = 500;
            processor.uiHeight = 510;
            processor.parameters.midValue = 0.25;
            processor.parameters.sideValue = 0.75;
            processor.storedProgramNum = 3;
        }

        void restore (const juce::MemoryBlock& block)
        {
            processor.setStateInformation (block.getData(), (int) block.getSize());
        }

        JuceDemoPluginAudioProcessor processor;
    };
}

TEST (SavedState, newInstanceSavesTheDocumentedBlockByteForByte)
{
    JuceDemoPluginAudioProcessor processor;
    juce::MemoryBlock block;
    block.append ("stale", 5);
    processor.getStateInformation (block);

    const auto expected = makeBlock (newInstanceXml);
    ASSERT_EQ (block.getSize(), expected.getSize()) << block.toString();
    EXPECT_EQ (block, expected) << block.toString();

    const auto* bytes = static_cast<const uint8_t*> (block.getData());
    EXPECT_EQ (bytes[0], 0x56);
    EXPECT_EQ (bytes[1], 0x43);
    EXPECT_EQ (bytes[2], 0x32);
    EXPECT_EQ (bytes[3], 0x21);
    EXPECT_EQ (bytes[block.getSize() - 1], 0);
}

TEST (SavedState, restoresIntoAnotherInstance)
{
    JuceDemoPluginAudioProcessor source;
    source.uiWidth = 640;
    source.uiHeight = 700;
    source.parameters.midValue = 0.123456789012345;
    source.parameters.sideValue = 0.987654321098765;
    source.setCurrentProgram (6);
    source.parameters.sideValue = 0.5;

    juce::MemoryBlock block;
    source.getStateInformation (block);

    JuceDemoPluginAudioProcessor target;
    target.setStateInformation (block.getData(), (int) block.getSize());

    EXPECT_EQ (target.uiWidth.load(), 640);
    EXPECT_EQ (target.uiHeight.load(), 700);
    EXPECT_NEAR (target.parameters.midValue.load(), source.parameters.midValue.load(), 1.0e-15);
    EXPECT_EQ (target.parameters.sideValue.load(), 0.5);
    EXPECT_EQ (target.storedProgramNum.load(), 6);
    EXPECT_EQ (target.getCurrentProgram(), 0) << "the program itself is not selected by a restore";
    EXPECT_EQ (target.parameters.userSideValue.load(), 80.0 / 92.0);
}

TEST_F (StateFixture, partialAndOddlyWrittenAttributesAreReadAsTheyStand)
{
    struct Case
    {
        const char* what;
        std::string attributes;
        int32_t width, height, storedProgram;
        double mid, side;
    };

    const Case cases[] = {
        { "side missing", "uiWidth=\"600\" uiHeight=\"610\" Mid=\"0.5\" StoredProgramNum=\"2\"", 600, 610, 2, 0.5, 0.75 },
        { "only the program", "StoredProgramNum=\"5\"", 500, 510, 5, 0.25, 0.75 },
        { "attribute names in other case", "uiwidth=\"600\" UIHEIGHT=\"600\" mid=\"0.5\" SIDE=\"0.5\" storedprogramnum=\"1\"",
          500, 510, 3, 0.25, 0.75 },
        { "numbers read like atoi", "uiWidth=\" +300px\" uiHeight=\"400.9\" StoredProgramNum=\"-7x\"", 300, 400, -7, 0.25, 0.75 },
        { "malformed numbers read as 0", "Mid=\"abc\" Side=\"\" StoredProgramNum=\"none\"", 500, 510, 0, 0.0, 0.0 },
        { "levels above 1 and below 0 are clamped", "Mid=\"1.5\" Side=\"-0.25\"", 500, 510, 3, 1.0, 0.0 },
        { "levels that are not finite are ignored", "Mid=\"1e999\" Side=\"-1e400\"", 500, 510, 3, 0.25, 0.75 },
        { "exponents beyond any number are ignored", "Mid=\"0.e8695652173913043\" Side=\" -5E-000012345678\"",
          500, 510, 3, 0.25, 0.75 },
        { "exponents with leading zeros are read", "Mid=\"5e-0000001\" Side=\"0.5E+00000\"", 500, 510, 3, 0.5, 0.5 },
        { "unusable editor sizes are ignored", "uiWidth=\"0\" uiHeight=\"-480\"", 500, 510, 3, 0.25, 0.75 },
        { "absurd editor sizes are ignored", "uiWidth=\"100000\" uiHeight=\"8193\"", 500, 510, 3, 0.25, 0.75 },
        { "smallest and largest editor sizes are taken", "uiWidth=\"64\" uiHeight=\"8192\"", 64, 8192, 3, 0.25, 0.75 },
    };

    for (const auto& c : cases)
    {
        JuceDemoPluginAudioProcessor fresh;
        fresh.uiWidth = 500;
        fresh.uiHeight = 510;
        fresh.parameters.midValue = 0.25;
        fresh.parameters.sideValue = 0.75;
        fresh.storedProgramNum = 3;

        const auto block = makeBlock (settings (c.attributes));
        fresh.setStateInformation (block.getData(), (int) block.getSize());

        EXPECT_EQ (fresh.uiWidth.load(), c.width) << c.what;
        EXPECT_EQ (fresh.uiHeight.load(), c.height) << c.what;
        EXPECT_EQ (fresh.storedProgramNum.load(), c.storedProgram) << c.what;
        EXPECT_EQ (fresh.parameters.midValue.load(), c.mid) << c.what;
        EXPECT_EQ (fresh.parameters.sideValue.load(), c.side) << c.what;
        EXPECT_EQ (fresh.getCurrentProgram(), 0) << c.what;
    }
}

TEST_F (StateFixture, unusableBlocksChangeNothing)
{
    const auto good = settings ("uiWidth=\"600\" uiHeight=\"600\" Mid=\"0.5\" Side=\"0.5\" StoredProgramNum=\"1\"");

    struct Case { const char* what; juce::MemoryBlock block; };
    std::vector<Case> cases;
    cases.push_back ({ "empty", {} });
    cases.push_back ({ "eight bytes", juce::MemoryBlock (makeBlock (good).getData(), 8) });
    cases.push_back ({ "wrong magic", makeBlock (good, -1, 0x21324357) });
    cases.push_back ({ "magic in the other byte order", makeBlock (good, -1, 0x56433221) });
    cases.push_back ({ "length zero", makeBlock (good, 0) });
    cases.push_back ({ "negative length", makeBlock (good, 0xfffffff0) });
    cases.push_back ({ "length cut into the tag", makeBlock (good, 45) });
    cases.push_back ({ "unterminated attribute", makeBlock ("<MYPLUGINSETTINGS uiWidth=\"600/>") });
    cases.push_back ({ "unclosed element", makeBlock ("<MYPLUGINSETTINGS uiWidth=\"600\">") });
    cases.push_back ({ "stray characters", makeBlock ("<<MYPLUGINSETTINGS uiWidth=\"600\"/>") });
    cases.push_back ({ "junk after the tag", makeBlock ("<MYPLUGINSETTINGS uiWidth=\"600\" / junk") });
    cases.push_back ({ "not XML at all", makeBlock ("just some words") });
    cases.push_back ({ "text starts with a zero byte", makeBlock (std::string ("\0", 1) + good) });
    cases.push_back ({ "broken UTF-8 inside an attribute",
                       makeBlock ("<MYPLUGINSETTINGS uiWidth=\"600\" Mid=\"" + std::string (40, '\xff') + "0.5\"/>") });
    cases.push_back ({ "a multi-byte character cut at the end",
                       makeBlock ("<MYPLUGINSETTINGS uiWidth=\"600\" Mid=\"0.5\"/>\xe2\x82") });
    cases.push_back ({ "an instruction followed by text inside the element",
                       makeBlock ("<?xml version=\"1.0\"?><MYPLUGINSETTINGS uiWidth=\"600\"><?x?>=</MYPLUGINSETTINGS>") });
    cases.push_back ({ "another root tag", makeBlock (settings ("uiWidth=\"600\" Mid=\"0.5\"", "OTHERSETTINGS")) });
    cases.push_back ({ "tag with a suffix", makeBlock (settings ("uiWidth=\"600\" Mid=\"0.5\"", "MYPLUGINSETTINGS2")) });

    for (const auto& c : cases)
    {
        const Snapshot before (processor);
        processor.setStateInformation (c.block.getData(), (int) c.block.getSize());
        EXPECT_TRUE (Snapshot (processor) == before) << c.what;
    }

    processor.setStateInformation (nullptr, 100);
    processor.setStateInformation (good.data(), -5);
    EXPECT_EQ (processor.uiWidth.load(), 500);
}

TEST_F (StateFixture, tagInOtherLetterCaseIsAccepted)
{
    restore (makeBlock (settings ("uiWidth=\"600\" Mid=\"0.5\"", "myPluginSettings")));
    EXPECT_EQ (processor.uiWidth.load(), 600);
    EXPECT_EQ (processor.parameters.midValue.load(), 0.5);
}

TEST_F (StateFixture, lengthBeyondTheBlockReadsWhatIsThere)
{
    restore (makeBlock (settings ("uiWidth=\"600\" Mid=\"0.5\""), 100000));
    EXPECT_EQ (processor.uiWidth.load(), 600);
    EXPECT_EQ (processor.parameters.midValue.load(), 0.5);
}

TEST_F (StateFixture, restoreTellsTheHostOnlyAfterItsCallHasReturned)
{
    struct Counter final : juce::AudioProcessorParameter::Listener
    {
        void parameterValueChanged (int, float) override { ++changes; }
        void parameterGestureChanged (int, bool) override {}
        int changes = 0;
    } counter;

    processor.getMidParameter().addListener (&counter);
    restore (makeBlock (settings ("Mid=\"0.5\" Side=\"0.5\" StoredProgramNum=\"2\"")));
    EXPECT_EQ (counter.changes, 0);
    EXPECT_EQ (processor.parameters.midValue.load(), 0.5);
    EXPECT_EQ (processor.getMidParameter().getValue(), 0.5f);

    juce::MessageManager::getInstance()->runDispatchLoopUntil (20);
    processor.getMidParameter().removeListener (&counter);
    EXPECT_EQ (counter.changes, 1);
    EXPECT_EQ (processor.parameters.midValue.load(), 0.5) << "the refresh repeats the value, it sets nothing";
}
