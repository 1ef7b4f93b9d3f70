#pragma once

/// A camera that circles a fixed centre at a distance; +z is up.
/// Every change of elevation, azimuth or distance recomputes the eye.
class OrbitCamera
{
public:
    /// Takes the three values as given (no clamping); the centre is the origin.
    OrbitCamera(double elevationDegrees, double azimuthDegrees, double distanceUnits);

    /// Kept inside [-89.99, 89.99]: 90 and beyond become 89.99, -90 and below -89.99.
    void SetElevation(double degrees);
    /// Wrapped into [0, 360).
    void SetAzimuth(double degrees);
    /// Never below the float epsilon 1.1920928955078125e-07, so the eye never meets the centre.
    void SetDistance(double units);

    /// Multiplies the current matrix by the look-at from the eye to the centre.
    void Apply() const;

    double Elevation() const { return elevation; }
    double Azimuth() const { return azimuth; }
    double Distance() const { return distance; }
    double EyeX() const { return eyeX; }
    double EyeY() const { return eyeY; }
    double EyeZ() const { return eyeZ; }

private:
    void UpdateEye();

    double elevation; // degrees above the x-y plane
    double azimuth;   // degrees around the z axis
    double distance;  // world units from the eye to the centre
    double eyeX, eyeY, eyeZ;          // world units, derived
    double centreX, centreY, centreZ; // world units, the point looked at
};
