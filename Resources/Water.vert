#version 120
// Water plane at z = 0, given in world coordinates. The ripple and the mix are worked out
// per pixel from the interpolated positions, which are linear across a quad, so the picture
// does not depend on how finely the plane is cut into quads.

varying vec4 clipPosition; // for the fragment's own screen position
varying vec2 worldPosition; // x, y on the water, world units
varying vec3 toEye;        // from the water to the eye, world units; fewer inputs per pixel than eye space

void main()
{
    vec4 eye = gl_ModelViewMatrix * gl_Vertex;
    gl_Position = gl_ProjectionMatrix * eye;
    clipPosition = gl_Position;
    worldPosition = gl_Vertex.xy;
    toEye = gl_ModelViewMatrixInverse[3].xyz - gl_Vertex.xyz;
}
