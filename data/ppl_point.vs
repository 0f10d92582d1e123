#version 120
// Per-pixel lighting, untextured: hands the eye-space position and normal to the fragment shader.

varying vec3 eyePosition;
varying vec3 eyeNormal;

void main()
{
    eyePosition = vec3(gl_ModelViewMatrix * gl_Vertex);
    eyeNormal = gl_NormalMatrix * gl_Normal;
    gl_Position = ftransform();
}
