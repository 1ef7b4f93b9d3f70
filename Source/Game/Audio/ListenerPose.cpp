#include "Audio/ListenerPose.h"

ListenerPose ListenerPose::FromModelView(const float m[16])
{
    // The rotation's rows are the eye's axes in world coordinates, and the
    // eye sits at -R^T t.
    const Vec3 row0(m[0], m[4], m[8]), row1(m[1], m[5], m[9]), row2(m[2], m[6], m[10]);
    ListenerPose pose;
    pose.position = (row0 * m[12] + row1 * m[13] + row2 * m[14]) * -1.0f;
    pose.at = row2 * -1.0f;
    pose.up = row1;
    return pose;
}
