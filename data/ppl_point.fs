#version 120
// Per-pixel lighting, untextured: the material colours under the game's light.

// In ppl_light.fs.
void pointLight(out vec3 lit, out vec3 highlight);

void main()
{
    vec3 lit, highlight;
    pointLight(lit, highlight);
    gl_FragColor = vec4(lit + highlight, gl_FrontMaterial.diffuse.a);
}
