#include <GL/glew.h>

#include "Shell/OrbitCamera.h"
#include "Support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// The view's default camera: distance 35, then elevation 45 and azimuth 180.
OrbitCamera DefaultCamera()
{
    OrbitCamera camera(0.0, 0.0, 35.0);
    camera.SetElevation(45.0);
    camera.SetAzimuth(180.0);
    return camera;
}

double EyeDistance(const OrbitCamera& camera)
{
    return std::sqrt(camera.EyeX() * camera.EyeX() + camera.EyeY() * camera.EyeY() +
                     camera.EyeZ() * camera.EyeZ());
}

} // namespace

TEST(OrbitCamera, DefaultEyeUsesTheRoundedPi)
{
    const OrbitCamera camera = DefaultCamera();
    // Worked out by hand with pi taken as 3.14159: y and z differ in the fifth decimal.
    EXPECT_NEAR(-6.5673e-05, camera.EyeX(), 1e-8);
    EXPECT_NEAR(-24.7487538, camera.EyeY(), 1e-6);
    EXPECT_NEAR(24.7487209, camera.EyeZ(), 1e-6);
}

TEST(OrbitCamera, ElevationClampsAzimuthWrapsDistanceStaysPositive)
{
    OrbitCamera camera = DefaultCamera();
    camera.SetElevation(45.0 - 100.0);
    EXPECT_DOUBLE_EQ(-55.0, camera.Elevation());
    camera.SetElevation(-90.0);
    EXPECT_DOUBLE_EQ(-89.99, camera.Elevation());
    camera.SetElevation(89.999); // inside the open interval: kept
    EXPECT_DOUBLE_EQ(89.999, camera.Elevation());
    camera.SetElevation(400.0);
    EXPECT_DOUBLE_EQ(89.99, camera.Elevation());
    EXPECT_NEAR(35.0, EyeDistance(camera), 1e-9);

    camera.SetAzimuth(180.0 - 200.0);
    EXPECT_DOUBLE_EQ(340.0, camera.Azimuth());
    camera.SetAzimuth(340.0 - 200.0);
    EXPECT_DOUBLE_EQ(140.0, camera.Azimuth());
    camera.SetAzimuth(360.0);
    EXPECT_DOUBLE_EQ(0.0, camera.Azimuth());
    camera.SetAzimuth(-810.0);
    EXPECT_DOUBLE_EQ(270.0, camera.Azimuth());

    camera.SetDistance(35.0 - 100.0);
    EXPECT_EQ(1.1920928955078125e-07, camera.Distance());
    EXPECT_GT(EyeDistance(camera), 0.0);
    camera.SetDistance(10.0);
    EXPECT_NEAR(10.0, EyeDistance(camera), 1e-9);
    // Elevation 89.99 and azimuth 270: the eye sits almost straight above, a little towards +x.
    EXPECT_GT(camera.EyeX(), 0.0);
    EXPECT_NEAR(0.0, camera.EyeY(), 1e-6);
    EXPECT_GT(camera.EyeZ(), 9.99);
}

TEST(OrbitCamera, ApplyLooksFromTheEyeAtTheOriginWithZUp)
{
    TestSupport::EnsureGLContext();
    const OrbitCamera camera = DefaultCamera();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    camera.Apply();
    double m[16];
    glGetDoublev(GL_MODELVIEW_MATRIX, m);
    // The eye lands on the origin of eye space, the centre straight ahead on -z.
    const auto transform = [&m](double x, double y, double z, int row) {
        return m[row] * x + m[4 + row] * y + m[8 + row] * z + m[12 + row];
    };
    for (int row = 0; row < 3; ++row)
        EXPECT_NEAR(0.0, transform(camera.EyeX(), camera.EyeY(), camera.EyeZ(), row), 1e-4);
    EXPECT_NEAR(0.0, transform(0, 0, 0, 0), 1e-4);
    EXPECT_NEAR(0.0, transform(0, 0, 0, 1), 1e-4);
    EXPECT_NEAR(-35.0, transform(0, 0, 0, 2), 1e-4);
    // World up (+z) stays up on screen (+y in eye space).
    EXPECT_GT(m[9], 0.0);
}
