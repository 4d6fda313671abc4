// SPDX-License-Identifier: GPL-3.0-or-later
// processBlock must neither allocate nor lock. Every allocation and mutex lock in this program is
// counted per thread, while other threads automate, select programs and restore states.
#include "processor/PluginProcessor.h"

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <pthread.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <thread>

namespace
{
    thread_local bool counting = false;
    thread_local long allocations = 0;
    thread_local long locks = 0;

    void noteAllocation() noexcept
    {
        if (counting)
            ++allocations;
    }
}

//==============================================================================
// Replacements of the global allocation functions, which JUCE and the standard library use.
void* operator new (std::size_t size)
{
    noteAllocation();

    if (auto* p = std::malloc (size == 0 ? 1 : size))
        return p;

    throw std::bad_alloc();
}

void* operator new[] (std::size_t size)                          { return operator new (size); }
void* operator new (std::size_t size, const std::nothrow_t&) noexcept
{
    noteAllocation();
    return std::malloc (size == 0 ? 1 : size);
}
void* operator new[] (std::size_t size, const std::nothrow_t& t) noexcept { return operator new (size, t); }
void operator delete (void* p) noexcept                          { noteAllocation(); std::free (p); }
void operator delete[] (void* p) noexcept                        { noteAllocation(); std::free (p); }
void operator delete (void* p, std::size_t) noexcept             { noteAllocation(); std::free (p); }
void operator delete[] (void* p, std::size_t) noexcept           { noteAllocation(); std::free (p); }

#if ! defined (__SANITIZE_ADDRESS__)
// JUCE's HeapBlock goes straight to malloc; the sanitizers own these functions in their builds.
extern "C"
{
    void* __libc_malloc (size_t);
    void* __libc_calloc (size_t, size_t);
    void* __libc_realloc (void*, size_t);
    void __libc_free (void*);

    void* malloc (size_t size)                { noteAllocation(); return __libc_malloc (size); }
    void* calloc (size_t count, size_t size)  { noteAllocation(); return __libc_calloc (count, size); }
    void* realloc (void* p, size_t size)      { noteAllocation(); return __libc_realloc (p, size); }
    void free (void* p)                       { noteAllocation(); __libc_free (p); }
}
#endif

extern "C" int pthread_mutex_lock (pthread_mutex_t* mutex)
{
    using Lock = int (*) (pthread_mutex_t*);
    static const auto real = (Lock) dlsym (RTLD_NEXT, "pthread_mutex_lock");

    if (counting)
        ++locks;

    return real (mutex);
}

extern "C" int pthread_mutex_trylock (pthread_mutex_t* mutex)
{
    using Lock = int (*) (pthread_mutex_t*);
    static const auto real = (Lock) dlsym (RTLD_NEXT, "pthread_mutex_trylock");

    if (counting)
        ++locks;

    return real (mutex);
}

//==============================================================================
namespace
{
    struct Counts
    {
        long allocations = 0;
        long locks = 0;
    };

    template <typename Work>
    Counts countOnThisThread (Work&& work)
    {
        allocations = 0;
        locks = 0;
        counting = true;
        work();
        counting = false;
        return { allocations, locks };
    }
}

TEST (RealtimeSafety, theCountersSeeAllocationsAndLocks)
{
    // Without this the test below could pass by counting nothing.
    std::mutex mutex;
    const auto counts = countOnThisThread ([&]
    {
        auto* numbers = new std::vector<int> (100);
        delete numbers;
        juce::HeapBlock<float> block (64);
        const std::lock_guard<std::mutex> guard (mutex);
    });

    EXPECT_GE (counts.allocations, 3);
    EXPECT_GE (counts.locks, 1);
}

TEST (RealtimeSafety, processBlockNeitherAllocatesNorLocksWhileTheHostIsBusy)
{
    JuceDemoPluginAudioProcessor processor;
    processor.prepareToPlay (48000.0, 4096);

    juce::MemoryBlock savedState;
    processor.getStateInformation (savedState);

    std::atomic<bool> running { true };
    std::atomic<long> hostActions { 0 };

    std::thread host ([&]
    {
        juce::Random random (7);
        juce::MemoryBlock state;

        while (running.load())
        {
            processor.getMidParameter().setValueNotifyingHost (random.nextFloat());
            processor.getSideParameter().setValueNotifyingHost (random.nextFloat());
            processor.setCurrentProgram (random.nextInt (7));

            if (random.nextInt (4) == 0)
            {
                processor.getStateInformation (state);
                processor.setStateInformation (savedState.getData(), (int) savedState.getSize());
            }

            ++hostActions;
        }
    });

    Counts counts;
    long blocks = 0;

    std::thread audio ([&]
    {
        juce::AudioBuffer<float> buffer (2, 4096);
        juce::MidiBuffer midi;
        const int blockSizes[] = { 1, 17, 64, 256, 512, 1023, 4096 };

        // The host prepares each block; only the plug-in's own processing is counted.
        // Run until the host thread has had plenty of chances to interfere.
        for (int round = 0; round < 3000 || hostActions.load() < 2000; ++round)
        {
            const auto n = blockSizes[round % (int) std::size (blockSizes)];
            buffer.setSize (2, n, false, false, true);

            for (int i = 0; i < n; ++i)
            {
                buffer.setSample (0, i, 0.5f);
                buffer.setSample (1, i, -0.25f);
            }

            const auto block = countOnThisThread ([&] { processor.processBlock (buffer, midi); });
            counts.allocations += block.allocations;
            counts.locks += block.locks;
            ++blocks;
        }
    });

    audio.join();
    running = false;
    host.join();

    EXPECT_GE (blocks, 3000);
    EXPECT_GE (hostActions.load(), 2000);
    EXPECT_EQ (counts.allocations, 0);
    EXPECT_EQ (counts.locks, 0);
}
