// SPDX-License-Identifier: GPL-3.0-or-later
// Opening and closing the editor over and over, as a user does all session long, costs nothing
// that stays behind. LeakSanitizer checks the sanitizer build for leaks at exit.
#include "editor/PluginEditor.h"

#include <gtest/gtest.h>

#include <malloc.h>

namespace
{
    size_t bytesInUse()
    {
        const auto info = mallinfo2();
        return info.uordblks + info.hblkhd;
    }

    void openAndClose (JuceDemoPluginAudioProcessor& processor)
    {
        std::unique_ptr<juce::AudioProcessorEditor> editor (processor.createEditorIfNeeded());
        ASSERT_NE (editor, nullptr);
        dynamic_cast<JuceDemoPluginAudioProcessorEditor&> (*editor).timerCallback();
        juce::ignoreUnused (editor->createComponentSnapshot (editor->getLocalBounds()));
    }
}

TEST (EditorLifetime, twoHundredProcessorsWithOpenEditorsLeaveNothingBehind)
{
    const auto cycle = []
    {
        JuceDemoPluginAudioProcessor processor;
        openAndClose (processor);
    };

    for (int i = 0; i < 20; ++i)
        cycle();

    juce::MessageManager::getInstance()->runDispatchLoopUntil (50);
    const auto before = bytesInUse();

    for (int i = 0; i < 180; ++i)
        cycle();

    juce::MessageManager::getInstance()->runDispatchLoopUntil (50);

   #if ! defined (__SANITIZE_ADDRESS__)
    // The allocator's own figures; the sanitizer keeps freed memory aside and would blur them.
    EXPECT_LT (bytesInUse(), before + 512 * 1024) << "memory grows with every editor";
   #else
    juce::ignoreUnused (before);
   #endif
}

TEST (EditorLifetime, reopeningTheEditorOfOneProcessorKeepsMemoryFlat)
{
    JuceDemoPluginAudioProcessor processor;

    for (int i = 0; i < 20; ++i)
        openAndClose (processor);

    const auto before = bytesInUse();

    for (int i = 0; i < 200; ++i)
        openAndClose (processor);

   #if ! defined (__SANITIZE_ADDRESS__)
    EXPECT_LT (bytesInUse(), before + 512 * 1024);
   #else
    juce::ignoreUnused (before);
   #endif
}
