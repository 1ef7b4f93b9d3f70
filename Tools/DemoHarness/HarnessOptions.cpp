#include "HarnessOptions.h"

#include <boost/filesystem.hpp>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>

namespace {

[[noreturn]] void Usage(const std::string& problem)
{
    std::cerr << "demo_harness: " << problem << "\n"
              << "usage: demo_harness [--ticks N] [--level L] [--camera M] [--size WxH]\n"
              << "                    [--csv FILE] [--shot TICK:FILE]... [--window-shot TICK:FILE]...\n"
              << "                    [--script FILE] [--quiet] [--stage-times] [--stage-from TICK] [--no-sound]\n"
              << "                    [--budget-level 0..7]\n"
              << "                    [--render-every N]   (0: tick only, for fast replays)\n"
              << "                    [--memory-csv FILE] [--memory-every N]   (resident memory, default every 1000 ticks)\n"
              << "Script lines: '<tick> move <pixels>', '<tick> press', '<tick> camera'.\n";
    std::exit(2);
}

int ToInt(const std::string& text)
{
    try {
        std::size_t used = 0;
        const int value = std::stoi(text, &used);
        if (used == text.size())
            return value;
    } catch (const std::exception&) {
    }
    Usage("not a number: " + text);
}

std::vector<ScriptedInput> ReadScript(const std::string& path)
{
    std::ifstream file(path);
    if (!file)
        Usage("cannot read script " + path);
    std::vector<ScriptedInput> script;
    std::string line;
    while (std::getline(file, line)) {
        std::istringstream words(line);
        ScriptedInput input;
        std::string kind;
        if (!(words >> input.tick >> kind))
            continue;
        if (kind == "move" && words >> input.pixels)
            input.kind = ScriptedInput::Move;
        else if (kind == "press")
            input.kind = ScriptedInput::Press;
        else if (kind == "camera")
            input.kind = ScriptedInput::Camera;
        else
            Usage("bad script line: " + line);
        script.push_back(input);
    }
    std::stable_sort(script.begin(), script.end(),
                     [](const ScriptedInput& a, const ScriptedInput& b) { return a.tick < b.tick; });
    return script;
}

} // namespace

HarnessOptions HarnessOptions::Parse(int argc, char** argv)
{
    HarnessOptions options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc)
                Usage(arg + " needs a value");
            return argv[++i];
        };
        if (arg == "--ticks")
            options.ticks = ToInt(value());
        else if (arg == "--level")
            options.level = ToInt(value());
        else if (arg == "--camera")
            options.cameraMode = ToInt(value());
        else if (arg == "--csv") // absolute like the shots: the level's folder is removed at the end
            options.csvPath = boost::filesystem::absolute(value()).string();
        else if (arg == "--memory-csv")
            options.memoryCsvPath = boost::filesystem::absolute(value()).string();
        else if (arg == "--memory-every")
            options.memoryEvery = ToInt(value());
        else if (arg == "--render-every")
            options.renderEvery = ToInt(value());
        else if (arg == "--quiet")
            options.quiet = true;
        else if (arg == "--stage-times")
            options.stageTimes = true;
        else if (arg == "--stage-from") { // a stretch of the run, such as layout 2's chains
            options.stageTimes = true;
            options.stageFrom = ToInt(value());
        }
        else if (arg == "--no-sound")
            options.sound = false;
        else if (arg == "--budget-level")
            options.budgetLevel = ToInt(value());
        else if (arg == "--size") {
            const std::string size = value();
            const auto x = size.find('x');
            if (x == std::string::npos)
                Usage("bad size " + size);
            options.width = ToInt(size.substr(0, x));
            options.height = ToInt(size.substr(x + 1));
        } else if (arg == "--shot" || arg == "--window-shot") {
            const std::string shot = value();
            const auto colon = shot.find(':');
            if (colon == std::string::npos)
                Usage("bad shot " + shot);
            auto& shots = arg == "--shot" ? options.shots : options.windowShots;
            // Absolute, since a chosen level runs in a folder of its own.
            shots[ToInt(shot.substr(0, colon))] = boost::filesystem::absolute(shot.substr(colon + 1)).string();
        } else if (arg == "--script") {
            options.script = ReadScript(value());
            options.autopilot = false;
        } else
            Usage("unknown argument " + arg);
    }
    return options;
}
