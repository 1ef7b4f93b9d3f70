#version 120
// Samples the scene images taken from the same camera at this pixel's screen position,
// rippled, and mixes them by viewing angle.

uniform sampler2D ReflectionTex; // unit 0: the scene above the water, mirrored
uniform sampler2D RefractionTex; // unit 1: the scene below the water
uniform float u_WaveTime;        // seconds
uniform float u_ImageCut;        // share of each image's side the passes left unfilled; 0 (unset): none

varying vec4 clipPosition;
varying vec2 worldPosition;
varying vec3 toEye;

void main()
{
    vec2 p = worldPosition;
    // Screen-space offset of the mirrored and refracted images.
    vec2 ripple = 0.012 * vec2(sin(p.x * 1.7 + p.y * 0.6 + u_WaveTime * 1.9),
                               sin(p.y * 1.3 - p.x * 0.8 + u_WaveTime * 1.4));
    // The reflection's share grows at grazing angles: the cosine to the water's
    // normal is the eye's height over its distance.
    float away = 1.0 - clamp(toEye.z * inversesqrt(dot(toEye, toEye)), 0.0, 1.0);
    float reflectance = 0.12 + 0.88 * away * away * away;

    vec2 screen = clipPosition.xy / clipPosition.w * 0.5 + 0.5;
    // The passes may fill only a corner of each image when frames run over their budget.
    float filled = 1.0 - u_ImageCut;
    // Kept a texel inside the images: their clamping would blend in a black border at the
    // window's edges, where the ripple pushes the lookup outside.
    vec2 inside = vec2(1.0 / 512.0) / filled;
    vec3 above = texture2D(ReflectionTex, clamp(screen + ripple, inside, 1.0 - inside) * filled).rgb;
    vec3 below = texture2D(RefractionTex, clamp(screen + ripple * 0.6, inside, 1.0 - inside) * filled).rgb
               * vec3(0.62, 0.82, 0.86);
    gl_FragColor = vec4(mix(below, above, reflectance), 1.0);
}
