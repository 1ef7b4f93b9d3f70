#pragma once

/// How finely the game pieces are drawn in one picture.
enum class PieceDetail
{
    Exact,          // every mesh and ball as it is
    FewerBallRings, // balls as spheres of fewer rings; meshes exact
    BoxStandIns,    // meshes as their box stand-ins, balls as coarse spheres
};
