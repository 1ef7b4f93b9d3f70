// Feeds arbitrary bytes to the settings reader as a file: it may throw its
// own errors or a conversion failure, but must never crash or misbehave.
#include "Support/ConfigFile.h"

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::string path = "/tmp/fuzz-config-" + std::to_string(getpid()) + ".cfg";
    {
        std::ofstream file(path, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    try {
        ConfigFile config(path);
        config.GetValue<int>("StartLevel");
    } catch (const Exception&) {
    } catch (const boost::bad_lexical_cast&) {
    }
    return 0;
}
