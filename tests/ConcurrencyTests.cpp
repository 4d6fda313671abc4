// SPDX-License-Identifier: GPL-3.0-or-later
// Everything a host does at once: an audio thread that never pauses, a host thread automating
// both levels and picking programs, another saving and restoring the state, and the editor open
// with its timer and user edits on the message thread. Built with ThreadSanitizer, any data race
// among them is reported; in every build the levels must stay in range.
#include "editor/PluginEditor.h"
#include "editor/FaderLaw.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <thread>

TEST (Concurrency, audioHostStateAndEditorThreadsRunTogether)
{
    JuceDemoPluginAudioProcessor processor;
    processor.prepareToPlay (48000.0, 512);

    std::unique_ptr<juce::AudioProcessorEditor> editor (processor.createEditorIfNeeded());
    ASSERT_NE (editor, nullptr);
    auto& tervaneEditor = dynamic_cast<JuceDemoPluginAudioProcessorEditor&> (*editor);
    editor->addToDesktop (0);
    editor->setVisible (true);

    std::atomic<bool> stop { false };
    std::atomic<int64_t> blocks { 0 }, hostRounds { 0 }, stateRounds { 0 };

    std::thread audio ([&]
    {
        juce::AudioBuffer<float> buffer (2, 512);
        juce::MidiBuffer midi;
        juce::Random random (1);

        while (! stop.load())
        {
            for (int channel = 0; channel < 2; ++channel)
                for (int i = 0; i < buffer.getNumSamples(); ++i)
                    buffer.setSample (channel, i, random.nextFloat() * 2.0f - 1.0f);

            processor.processBlock (buffer, midi);
            ++blocks;
        }
    });

    std::thread host ([&]
    {
        juce::Random random (2);

        while (! stop.load())
        {
            processor.getMidParameter().setValueNotifyingHost (random.nextFloat());
            processor.getSideParameter().setValueNotifyingHost (random.nextFloat());

            if (hostRounds % 16 == 0)
                processor.setCurrentProgram (random.nextInt (7));

            juce::ignoreUnused (processor.getMidParameter().getText (processor.getMidParameter().getValue(), 16));
            ++hostRounds;
            std::this_thread::sleep_for (std::chrono::microseconds (200));
        }
    });

    std::thread state ([&]
    {
        while (! stop.load())
        {
            juce::MemoryBlock block;
            processor.getStateInformation (block);
            processor.setStateInformation (block.getData(), (int) block.getSize());
            ++stateRounds;
            std::this_thread::sleep_for (std::chrono::microseconds (500));
        }
    });

    // The message thread: the editor's own timer ticks and paints while the user drags.
    juce::Random random (3);
    const auto end = juce::Time::getMillisecondCounter() + 4000;

    while (juce::Time::getMillisecondCounter() < end)
    {
        tervaneEditor.midFader.setValue (random.nextDouble(), juce::sendNotificationSync);
        tervaneEditor.sideFader.setValue (random.nextDouble(), juce::sendNotificationSync);
        juce::MessageManager::getInstance()->runDispatchLoopUntil (20);
    }

    stop = true;
    audio.join();
    host.join();
    state.join();
    juce::MessageManager::getInstance()->runDispatchLoopUntil (50);

    EXPECT_GT (blocks.load(), 100);
    EXPECT_GT (hostRounds.load(), 100);
    EXPECT_GT (stateRounds.load(), 100);

    for (const auto value : { processor.parameters.midValue.load(), processor.parameters.sideValue.load() })
        EXPECT_TRUE (std::isfinite (value) && value >= 0.0 && value <= 1.0) << value;

    // Once the others have stopped, one tick shows where the levels ended.
    tervaneEditor.timerCallback();
    EXPECT_DOUBLE_EQ (tervaneEditor.midFader.getValue(),
                      DecibelToFaderPosition (ValueToDecibels (processor.parameters.midValue.load())));

    editor.reset();
    processor.releaseResources();
}
