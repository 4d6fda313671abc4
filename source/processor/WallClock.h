// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#if defined (_WIN32)
 #include <chrono>
#else
 #include <sys/time.h>
#endif

namespace tervane
{
    /** Wall-clock milliseconds. The processor stamps every block with it and the editor's meters
        compare against it, so both sides must read this same clock with this same formula.
        Safe on the audio thread: no allocation, no lock. */
    inline int64_t wallClockMilliseconds() noexcept
    {
       #if defined (_WIN32)
        using namespace std::chrono;
        return duration_cast<milliseconds> (system_clock::now().time_since_epoch()).count();
       #else
        timeval now {};
        gettimeofday (&now, nullptr);
        return (int64_t) now.tv_sec * 1000 + (int64_t) now.tv_usec / 1000;
       #endif
    }
}
