#version 120

uniform samplerCube EnvironmentMap;

varying vec3 reflected;

void main()
{
    gl_FragColor = vec4(textureCube(EnvironmentMap, reflected).rgb, 1.0);
}
