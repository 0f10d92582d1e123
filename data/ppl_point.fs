#version 120
// Per-pixel lighting, untextured: the material colours under the game's light.

varying vec3 eyePosition;
varying vec3 eyeNormal;

// In ppl_light.fs.
void pointLight(vec3 eyePosition, vec3 eyeNormal, out vec3 lit, out vec3 highlight);

void main()
{
    vec3 lit, highlight;
    pointLight(eyePosition, eyeNormal, lit, highlight);
    gl_FragColor = vec4(lit + highlight, gl_FrontMaterial.diffuse.a);
}
