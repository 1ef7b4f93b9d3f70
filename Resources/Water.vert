#version 120
// Water grid at z = 0, given in world coordinates. Everything per pixel that can be
// worked out per vertex is worked out here, since the water covers most of the window.

uniform float u_WaveTime; // seconds

varying vec4 clipPosition; // for the fragment's own screen position
varying vec2 ripple;       // screen-space offset of the mirrored and refracted images
varying float reflectance; // share of the reflection, larger at grazing angles

void main()
{
    vec4 eyePosition = gl_ModelViewMatrix * gl_Vertex;
    gl_Position = gl_ProjectionMatrix * eyePosition;
    clipPosition = gl_Position;

    vec2 p = gl_Vertex.xy;
    ripple = 0.012 * vec2(sin(p.x * 1.7 + p.y * 0.6 + u_WaveTime * 1.9),
                          sin(p.y * 1.3 - p.x * 0.8 + u_WaveTime * 1.4));

    vec3 toEye = normalize(-eyePosition.xyz);
    vec3 up = normalize(gl_NormalMatrix * vec3(0.0, 0.0, 1.0));
    float facing = clamp(dot(toEye, up), 0.0, 1.0);
    reflectance = 0.12 + 0.88 * pow(1.0 - facing, 3.0);
}
