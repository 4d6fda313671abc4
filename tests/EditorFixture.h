// SPDX-License-Identifier: GPL-3.0-or-later
// An editor in a real desktop window, driven through its window's peer the way the windowing
// system drives it: mouse and key events enter where X11's would, and JUCE routes them.
#pragma once

#include "editor/PluginEditor.h"

#include <gtest/gtest.h>

namespace tervane::testing
{
    /** Records what reaches the host: every parameter change the processor reports. */
    struct HostRecorder final : juce::AudioProcessorListener
    {
        struct Change
        {
            int index;
            float value;
        };

        void audioProcessorParameterChanged (juce::AudioProcessor*, int index, float value) override
        {
            changes.push_back ({ index, value });
        }

        void audioProcessorChanged (juce::AudioProcessor*, const ChangeDetails&) override {}

        std::vector<Change> changes;
    };

    class EditorFixture : public ::testing::Test
    {
    protected:
        void SetUp() override
        {
            processor.addListener (&host);
            openEditor();
        }

        void TearDown() override
        {
            closeEditor();
            processor.removeListener (&host);
        }

        void openEditor()
        {
            editorHolder.reset (dynamic_cast<JuceDemoPluginAudioProcessorEditor*> (processor.createEditor()));
            ASSERT_NE (editorHolder, nullptr);

            // Ticks are driven by hand, so that each test decides when the editor catches up.
            editor().stopTimer();

            // As in a host, the editor sits in a plain window of the same size. That window
            // does not take the keyboard focus itself, so a late report of X giving it the focus
            // leaves the focus wherever a click has put it meanwhile.
            window = std::make_unique<juce::Component>();
            window->setSize (editor().getWidth(), editor().getHeight());
            window->addAndMakeVisible (editor());
            window->addToDesktop (0);
            window->setTopLeftPosition (40, 40);
            window->setVisible (true);

            for (int attempt = 0; attempt < 300 && ! peer().isFocused(); ++attempt)
            {
                peer().grabFocus();
                pump (10);
            }

            ASSERT_TRUE (peer().isFocused()) << "the editor's window never got the keyboard focus";
            pump();
        }

        void closeEditor()
        {
            editorHolder.reset();
            window.reset();
            pump();
        }

        JuceDemoPluginAudioProcessorEditor& editor() const { return *editorHolder; }

        juce::ComponentPeer& peer() const { return *editor().getPeer(); }

        /** Lets JUCE deliver what is queued: asynchronous notifications, repaints, focus changes. */
        static void pump (int milliseconds = 20)
        {
            juce::MessageManager::getInstance()->runDispatchLoopUntil (milliseconds);
        }

        void tick() { editor().timerCallback(); }

        //==============================================================================
        void sendMouse (juce::Point<int> editorPosition, juce::ModifierKeys mods)
        {
            auto& eventTime = clock();
            eventTime += 30;
            peer().handleMouseEvent (juce::MouseInputSource::InputSourceType::mouse, editorPosition.toFloat(), mods,
                                     juce::MouseInputSource::defaultPressure, juce::MouseInputSource::defaultOrientation,
                                     eventTime);

            // X delivers events through the message loop, so whatever they posted runs before
            // the next one arrives.
            pump (2);
        }

        void moveTo (juce::Point<int> p) { sendMouse (p, {}); }
        void pressAt (juce::Point<int> p) { sendMouse (p, juce::ModifierKeys::leftButtonModifier); }
        void dragTo (juce::Point<int> p) { sendMouse (p, juce::ModifierKeys::leftButtonModifier); }
        void releaseAt (juce::Point<int> p) { sendMouse (p, {}); }

        void clickAt (juce::Point<int> p)
        {
            moveTo (p);
            pressAt (p);
            releaseAt (p);
            pump();
        }

        /** Leaves double-click distance in time, so that the next press is a single click. */
        void pauseBetweenClicks() { clock() += 1000; }

        void type (const juce::String& text)
        {
            for (auto c : text)
                peer().handleKeyPress (juce::KeyPress ((int) c, {}, c));

            pump();
        }

        void pressKey (int keyCode)
        {
            peer().handleKeyPress (juce::KeyPress (keyCode));
            pump();
        }

        //==============================================================================
        double midValue() const { return processor.parameters.midValue.load(); }
        double sideValue() const { return processor.parameters.sideValue.load(); }

        JuceDemoPluginAudioProcessor processor;
        HostRecorder host;

    private:
        /** Event times only ever rise, across tests too: the mouse source remembers earlier clicks
            when it counts clicks. */
        static juce::int64& clock()
        {
            static juce::int64 time = juce::Time::currentTimeMillis();
            time = std::max (time, juce::Time::currentTimeMillis());
            return time;
        }

        std::unique_ptr<JuceDemoPluginAudioProcessorEditor> editorHolder;
        std::unique_ptr<juce::Component> window;
    };
}
