#version 120
// Reflection mapping of the ball against the sky cube map.

varying vec3 reflected; // eye-space reflection vector

void main()
{
    vec4 eyePosition = gl_ModelViewMatrix * gl_Vertex;
    vec3 normal = normalize(gl_NormalMatrix * gl_Normal);
    reflected = reflect(normalize(eyePosition.xyz), normal);
    gl_Position = gl_ProjectionMatrix * eyePosition;
}
