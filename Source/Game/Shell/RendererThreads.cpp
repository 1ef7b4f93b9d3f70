#include "Shell/RendererThreads.h"

std::string ChooseRendererThreads(const EnvironmentLookup& environment, unsigned cores)
{
    const char* chosen = environment("LP_NUM_THREADS");
    if (chosen && *chosen)
        return ""; // the player's choice stands
    // The renderer starts on the next part of a frame only when every one of
    // its threads has finished the last, and the game's own thread and the
    // display server share the same few cores: with one thread a core, the
    // one they pause holds that part up. With two a core another is ready to
    // run in its place: on 2 cores the slowest frames of a chain come about a
    // tenth shorter. Up to 4 cores the game's thread and the display server
    // still take a large share of them; beyond that (not measured) the
    // renderer's default stands.
    if (cores < 2 || cores > 4)
        return "";
    return std::to_string(2 * cores);
}
