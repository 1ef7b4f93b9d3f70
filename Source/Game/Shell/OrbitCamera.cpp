#include <GL/glew.h>

#include "Shell/OrbitCamera.h"

#include <GL/glu.h>

#include <cmath>

namespace {

// The camera has always used this rounded value; the default eye depends on it.
const double pi = 3.14159;
const double minimumDistance = 1.1920928955078125e-07;

} // namespace

OrbitCamera::OrbitCamera(double elevationDegrees, double azimuthDegrees, double distanceUnits)
    : elevation(elevationDegrees)
    , azimuth(azimuthDegrees)
    , distance(distanceUnits)
    , eyeX(0.0)
    , eyeY(0.0)
    , eyeZ(0.0)
    , centreX(0.0)
    , centreY(0.0)
    , centreZ(0.0)
{
    UpdateEye();
}

void OrbitCamera::SetElevation(double degrees)
{
    if (degrees >= 90.0)
        elevation = 89.99;
    else if (degrees <= -90.0)
        elevation = -89.99;
    else
        elevation = degrees;
    UpdateEye();
}

void OrbitCamera::SetAzimuth(double degrees)
{
    azimuth = degrees - std::floor(degrees / 360.0) * 360.0;
    if (azimuth < 0.0)
        azimuth += 360.0;
    UpdateEye();
}

void OrbitCamera::SetDistance(double units)
{
    distance = units < minimumDistance ? minimumDistance : units;
    UpdateEye();
}

void OrbitCamera::Apply() const
{
    gluLookAt(eyeX, eyeY, eyeZ, centreX, centreY, centreZ, 0.0, 0.0, 1.0);
}

void OrbitCamera::UpdateEye()
{
    const double e = elevation / 180.0 * pi;
    const double a = -azimuth / 180.0 * pi;
    const double k = std::cos(e) * distance;
    eyeX = std::sin(a) * k + centreX;
    eyeY = std::cos(a) * k + centreY;
    eyeZ = std::sin(e) * distance + centreZ;
}
