#pragma once

#include "Support/Vec3.h"

/// Where the listener stands and how it is turned, in world coordinates.
struct ListenerPose
{
    /// The camera's pose from its model-view matrix (column-major, world to
    /// eye, rotation and translation only). The eye looks down its -z with +y up.
    static ListenerPose FromModelView(const float m[16]);

    Vec3 position; // world units
    Vec3 at;       // unit forward direction
    Vec3 up;       // unit up direction, at right angles to `at`
};
