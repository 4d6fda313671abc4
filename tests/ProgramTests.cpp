// SPDX-License-Identifier: GPL-3.0-or-later
#include "processor/PluginProcessor.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace
{
    constexpr double unity = 80.0 / 92.0;

    /** Counts the host notifications that a parameter sends. */
    struct NotificationLog final : juce::AudioProcessorParameter::Listener
    {
        void parameterValueChanged (int index, float value) override  { changes.push_back ({ index, value }); }
        void parameterGestureChanged (int, bool) override               { ++gestures; }

        std::vector<std::pair<int, float>> changes;
        int gestures = 0;
    };

    struct ProgramFixture : ::testing::Test
    {
        ProgramFixture()
        {
            processor.getMidParameter().addListener (&log);
            processor.getSideParameter().addListener (&log);
        }

        ~ProgramFixture() override
        {
            processor.getMidParameter().removeListener (&log);
            processor.getSideParameter().removeListener (&log);
        }

        double sideDecibels() const { return ValueToDecibels (processor.parameters.sideValue); }
        double midDecibels() const  { return ValueToDecibels (processor.parameters.midValue); }

        JuceDemoPluginAudioProcessor processor;
        NotificationLog log;
    };
}

TEST_F (ProgramFixture, listsSevenNamedPrograms)
{
    const char* names[] = { "Default", "Mono", "30 deg.", "60 deg.", "90 deg.", "120 deg.", "150 deg." };
    ASSERT_EQ (processor.getNumPrograms(), 7);

    for (int i = 0; i < 7; ++i)
        EXPECT_EQ (processor.getProgramName (i), names[i]);

    EXPECT_EQ (processor.getProgramName (7), "");
    EXPECT_EQ (processor.getProgramName (-1), "");
    EXPECT_EQ (processor.getCurrentProgram(), 0);
}

TEST_F (ProgramFixture, factoryProgramsSetMidToUnityAndStepTheSide)
{
    const double sideLevels[] = { -80.0, -18.0, -12.0, -6.0, 0.0, 6.0 };

    for (int program = 1; program <= 6; ++program)
    {
        processor.parameters.midValue = 0.2;
        processor.setCurrentProgram (program);
        EXPECT_EQ (processor.getCurrentProgram(), program);
        EXPECT_EQ (processor.parameters.midValue.load(), (double) (float) unity) << program;
        EXPECT_NEAR (sideDecibels(), sideLevels[program - 1], 1.0e-5) << program;
    }
}

TEST_F (ProgramFixture, userLevelsComeBackWhenReturningToDefault)
{
    processor.parameters.midValue = DecibelsToValue (-2.0);
    processor.parameters.sideValue = DecibelsToValue (-3.0);

    processor.setCurrentProgram (3);
    EXPECT_NEAR (midDecibels(), 0.0, 1.0e-5);
    EXPECT_NEAR (sideDecibels(), -12.0, 1.0e-5);

    processor.setCurrentProgram (5);   // between factory programs the user's levels stay remembered
    EXPECT_NEAR (ValueToDecibels (processor.parameters.userSideValue), -3.0, 1.0e-9);

    processor.setCurrentProgram (0);
    EXPECT_EQ (processor.getCurrentProgram(), 0);
    EXPECT_NEAR (midDecibels(), -2.0, 1.0e-5);
    EXPECT_NEAR (sideDecibels(), -3.0, 1.0e-5);
    EXPECT_FLOAT_EQ (processor.getSideParameter().getDefaultValue(), (float) DecibelsToValue (-3.0));
}

TEST_F (ProgramFixture, everySelectionNotifiesBothLevelsWithoutGestures)
{
    processor.setCurrentProgram (0);
    ASSERT_EQ (log.changes.size(), 2u);
    EXPECT_EQ (log.changes[0].first, 0);
    EXPECT_FLOAT_EQ (log.changes[0].second, (float) unity);
    EXPECT_EQ (log.changes[1].first, 1);

    processor.setCurrentProgram (4);
    processor.setCurrentProgram (0);
    EXPECT_EQ (log.changes.size(), 6u);
    EXPECT_EQ (log.gestures, 0);
}

TEST_F (ProgramFixture, outOfRangeProgramIsRecordedButChangesNoLevel)
{
    processor.parameters.sideValue = 0.4;
    processor.setCurrentProgram (9);
    EXPECT_EQ (processor.getCurrentProgram(), 9);
    EXPECT_EQ (processor.parameters.sideValue.load(), 0.4);
    EXPECT_TRUE (log.changes.empty());

    processor.setCurrentProgram (-3);
    EXPECT_EQ (processor.getCurrentProgram(), -3);

    processor.setCurrentProgram (0);   // back to the user's program with the levels remembered at leaving
    EXPECT_EQ (processor.parameters.sideValue.load(), (double) (float) DecibelsToValue (ValueToDecibels (0.4)));
}

TEST_F (ProgramFixture, renamingOnlySelectsTheNumber)
{
    processor.changeProgramName (4, "Mine");
    EXPECT_EQ (processor.getCurrentProgram(), 4);
    EXPECT_EQ (processor.getProgramName (4), "90 deg.");
    EXPECT_EQ (processor.parameters.sideValue.load(), unity);
}

//==============================================================================
namespace
{
    bool runningAsGarageBand()
    {
        return std::getenv ("TERVANE_EXPECT_GARAGEBAND") != nullptr;
    }

    void restoreStateSavedWithProgram (JuceDemoPluginAudioProcessor& processor, int program, double side)
    {
        JuceDemoPluginAudioProcessor source;
        source.parameters.sideValue = side;
        source.currentProgram = program;
        juce::MemoryBlock block;
        source.getStateInformation (block);
        processor.setStateInformation (block.getData(), (int) block.getSize());
    }
}

TEST_F (ProgramFixture, HostRuleFirstSelectionAfterRestoreKeepsTheRestoredLevels)
{
    restoreStateSavedWithProgram (processor, 4, 0.3);
    EXPECT_EQ (processor.storedProgramNum.load(), 4);
    EXPECT_EQ (processor.getCurrentProgram(), 0);

    processor.setCurrentProgram (4);
    EXPECT_EQ (processor.getCurrentProgram(), 4);
    ASSERT_EQ (log.changes.size(), 2u) << "both levels are still sent to the host";

    if (runningAsGarageBand())
    {
        EXPECT_NEAR (sideDecibels(), -6.0, 1.0e-5);
        EXPECT_EQ (processor.storedProgramNum.load(), 4);
    }
    else
    {
        EXPECT_NEAR (processor.parameters.sideValue.load(), 0.3, 1.0e-7);
        EXPECT_EQ (processor.storedProgramNum.load(), -1);
    }

    processor.setCurrentProgram (4);
    EXPECT_NEAR (sideDecibels(), -6.0, 1.0e-5);
}

TEST_F (ProgramFixture, HostRuleChoosingAnotherProgramAfterRestoreApplies)
{
    restoreStateSavedWithProgram (processor, 0, 0.3);
    processor.setCurrentProgram (1);
    EXPECT_EQ (processor.parameters.sideValue.load(), 0.0);
    EXPECT_EQ (processor.storedProgramNum.load(), runningAsGarageBand() ? 0 : -1);

    processor.setCurrentProgram (0);
    EXPECT_NEAR (processor.parameters.sideValue.load(), 0.3, 1.0e-7);
}

TEST_F (ProgramFixture, HostRuleAnOpenedEditorLetsTheSelectionApply)
{
    restoreStateSavedWithProgram (processor, 2, 0.3);
    processor.editorCreated = true;
    processor.setCurrentProgram (2);
    EXPECT_NEAR (sideDecibels(), -18.0, 1.0e-5);
}
