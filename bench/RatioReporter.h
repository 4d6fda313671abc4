// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>

/** Prints the usual console report and keeps each run's time per iteration, so that a benchmark
    program can print its ratios to a reference measured in the same run. */
struct RatioReporter final : benchmark::ConsoleReporter
{
    void ReportRuns (const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns (runs);

        for (const auto& run : runs)
            if (run.run_type == Run::RT_Iteration)
                times[run.benchmark_name()] = run.GetAdjustedRealTime();
    }

    std::map<std::string, double> times;
};
