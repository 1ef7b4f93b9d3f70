#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

/// One scripted input: at `tick`, move the mouse by `pixels` to the right,
/// press the left button, or click the camera button.
struct ScriptedInput
{
    enum Kind { Move, Press, Camera };
    int tick = 0;
    Kind kind = Move;
    int pixels = 0;
};

/// Command line of the demo harness.
struct HarnessOptions
{
    int ticks = 1500;                       // frames to run
    std::optional<int> level;               // none: use the working folder's Config.cfg
    int cameraMode = 0;                     // camera mode before the first frame
    bool autopilot = true;                  // follow the lowest ball; off when a script is given
    int width = 800, height = 600;          // window size
    std::string csvPath;                    // absolute path of the per-frame figures; empty: none
    std::map<int, std::string> shots;       // tick -> absolute PNG path of the view after that tick's frame
    std::map<int, std::string> windowShots; // tick -> absolute PNG path of the whole window, head-up bar included
    std::vector<ScriptedInput> script;      // sorted by tick
    int renderEvery = 1;                    // repaint every Nth tick; 0: never (fast replays)
    bool quiet = false;                     // no trace lines
    bool stageTimes = false;                // time each pass and draw (slows the frame down)
    int stageFrom = 1;                      // first tick whose frame the stage times count
    std::string memoryCsvPath;              // absolute path of the resident-memory samples; empty: none
    int memoryEvery = 1000;                 // ticks between memory samples
    bool sound = true;                      // false: the world is silent, as in a fast replay
    std::optional<int> budgetLevel;         // pins the frame-budget governor; none: the Config.cfg setting

    /// Parses argv; prints usage and exits on a bad argument.
    static HarnessOptions Parse(int argc, char** argv);
};
