// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

/** What tervane-decode returns; each kind of failure has its own code for scripts to test. */
namespace decode
{
    enum ExitCode
    {
        success            = 0,
        usageError         = 2,   // unknown option, bad level, program, block size, format or bits
        inputUnreadable    = 3,   // missing, unreadable or not an audio file we know
        inputNotStereo     = 4,   // anything but exactly two channels
        pluginUnavailable  = 5,   // the plug-in could not be found, loaded or set up
        outputExists       = 6,   // and --force was not given
        outputIsInput      = 7,
        writeFailed        = 8,   // unwritable folder, full disk
        interrupted        = 130  // Ctrl-C
    };

    /** A failure with the message to print and the code to exit with. */
    struct Failure
    {
        ExitCode code;
        juce::String message;
    };
}
