#version 120
// Per-pixel lighting, textured: the lit material modulates the texture of unit 0, and the
// highlight is added after the texture so that dark textures still shine.

// Never set by the game: samplers start at texture unit 0.
uniform sampler2D colourMap;

// In ppl_light.fs.
void pointLight(out vec3 lit, out vec3 highlight);

void main()
{
    vec3 lit, highlight;
    pointLight(lit, highlight);
    vec4 texel = texture2D(colourMap, gl_TexCoord[0].st);
    gl_FragColor = vec4(texel.rgb * lit + highlight, texel.a * gl_FrontMaterial.diffuse.a);
}
