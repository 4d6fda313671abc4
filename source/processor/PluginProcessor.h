// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include "PluginParameter.h"

#include <atomic>

/** The decoder: turns a Mid/Side pair into left/right in place, L = M*gM + S*gS and
    R = M*gM - S*gS, and publishes what the editor polls (peaks, time of the last block,
    levels, editor size). Every field that the audio thread shares with other threads is an
    indivisible scalar accessed with relaxed ordering; nothing relies on an order between them. */
class JuceDemoPluginAudioProcessor final : public juce::AudioProcessor
{
public:
    JuceDemoPluginAudioProcessor();

    //==============================================================================
    ~JuceDemoPluginAudioProcessor() override;
    const juce::String getName() const override;
    void prepareToPlay (double sampleRate, int maximumExpectedSamplesPerBlock) override;
    void releaseResources() override;
    void processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midiMessages) override;
    using juce::AudioProcessor::processBlock;
    double getTailLengthSeconds() const override;
    bool acceptsMidi() const override;
    bool producesMidi() const override;
    juce::AudioProcessorEditor* createEditor() override;
    bool hasEditor() const override;
    int getNumPrograms() override;
    int getCurrentProgram() override;
    void setCurrentProgram (int index) override;
    const juce::String getProgramName (int index) override;
    void changeProgramName (int index, const juce::String& newName) override;
    void getStateInformation (juce::MemoryBlock& destData) override;
    void setStateInformation (const void* data, int sizeInBytes) override;

    // JUCE's older index-based interface, still asked by some wrappers and hosts.
    JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE ("-Wdeprecated-declarations")
    using juce::AudioProcessor::getParameterName;
    using juce::AudioProcessor::getParameterText;
    int getNumParameters() override;
    const juce::String getParameterName (int index) override;
    float getParameter (int index) override;
    const juce::String getParameterText (int index) override;
    void setParameter (int index, float newValue) override;
    const juce::String getInputChannelName (int channelIndex) const override;
    const juce::String getOutputChannelName (int channelIndex) const override;
    bool isInputChannelStereoPair (int index) const override;
    bool isOutputChannelStereoPair (int index) const override;
    JUCE_END_IGNORE_WARNINGS_GCC_LIKE

    //==============================================================================
    /** The editor's size; the editor takes it when created and writes it back on layout. */
    std::atomic<int32_t> uiWidth  { 472 };
    std::atomic<int32_t> uiHeight { 480 };

    /** The two levels and the remembered user levels of the "Default" program. */
    Q742_UIParameter parameters;

    /** Largest absolute output sample of the last block, left and right (1.0 = full scale). */
    std::atomic<float> outputPeakL { 0.0f };
    std::atomic<float> outputPeakR { 0.0f };

    std::atomic<int32_t> currentProgram   { 0 };
    /** The program number of a restored state, -1 when none is pending. */
    std::atomic<int32_t> storedProgramNum { -1 };

    /** Wall-clock milliseconds at the start of the last processed block. */
    std::atomic<int64_t> lastBlockTimeMs { 0 };

    /** True once an editor has been created; never cleared. */
    std::atomic<bool> editorCreated { false };

    //==============================================================================
    JuceDemoPluginAudioProcessorParameter& getMidParameter() const noexcept  { return *midParameter; }
    JuceDemoPluginAudioProcessorParameter& getSideParameter() const noexcept { return *sideParameter; }

    /** The smallest and largest editor size a restored state may ask for. */
    static constexpr int32_t minimumEditorSize = 64;
    static constexpr int32_t maximumEditorSize = 8192;

private:
    //==============================================================================
    void applyProgramLevels (int index, double targetMidValue, double targetSideDecibels);

    /** Tells the host the present levels again, from the message thread. */
    struct HostValueRefresher final : juce::AsyncUpdater
    {
        explicit HostValueRefresher (JuceDemoPluginAudioProcessor& p) : owner (p) {}
        void handleAsyncUpdate() override;
        JuceDemoPluginAudioProcessor& owner;
    };

    // The host application does not change while the plug-in lives; asking once keeps program
    // changes free of file-system calls, whichever thread the host selects them on.
    const bool hostIsGarageBand;

    JuceDemoPluginAudioProcessorParameter* midParameter = nullptr;
    JuceDemoPluginAudioProcessorParameter* sideParameter = nullptr;

    HostValueRefresher hostValueRefresher { *this };

    // Audio-thread only: the gains at the end of the last block, the start of the next ramp.
    double lastMidGain = 0.0;
    double lastSideGain = 0.0;
    bool hasLastGains = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (JuceDemoPluginAudioProcessor)
};
