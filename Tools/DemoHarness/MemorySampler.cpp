#include "MemorySampler.h"

#include <fstream>
#include <sstream>

void MemorySampler::Tick(int tick, int level)
{
    if (every > 0 && tick % every == 0)
        samples.push_back({tick, ResidentKiB(), level});
}

bool MemorySampler::WriteCsv(const std::string& path) const
{
    std::ofstream out(path);
    out << "tick,rss_kib,level\n";
    for (const Sample& s : samples)
        out << s.tick << ',' << s.rssKiB << ',' << s.level << '\n';
    return static_cast<bool>(out);
}

long MemorySampler::ResidentKiB()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.compare(0, 6, "VmRSS:") == 0) {
            long kib = -1;
            std::istringstream(line.substr(6)) >> kib;
            return kib;
        }
    }
    return -1;
}
