#pragma once

/// Buttons held during a mouse event, as the entities see them.
struct MouseButtons
{
    bool left = false;
    bool right = false;
};
