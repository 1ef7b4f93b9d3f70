#pragma once

#include <string>
#include <vector>

/// Resident memory of this process sampled every `every` ticks, for soaks.
class MemorySampler
{
public:
    explicit MemorySampler(int every) : every(every) {}

    /// Takes a sample when `tick` is a multiple of the interval (never when it is 0).
    void Tick(int tick, int level);
    /// One line per sample: tick,rss_kib,level.
    bool WriteCsv(const std::string& path) const;

    /// VmRSS of this process in KiB, from /proc; -1 when it cannot be read.
    static long ResidentKiB();

private:
    struct Sample
    {
        int tick;
        long rssKiB;
        int level;
    };
    int every;                   // ticks between samples; 0: none
    std::vector<Sample> samples; // in tick order
};
