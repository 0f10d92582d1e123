#version 120
// Per-pixel lighting from GL_LIGHT0 with the material colours, modulating the texture of unit 0.
// The lighting is that of the untextured program; the highlight is added after the texture so
// that dark textures still shine.

varying vec3 eyePosition;
varying vec3 eyeNormal;

// Never set by the game: samplers start at texture unit 0.
uniform sampler2D colourMap;

const float WRAP = 0.5;

void main()
{
    vec3 n = normalize(eyeNormal);
    if (!gl_FrontFacing) n = -n;
    vec4 light = gl_LightSource[0].position;
    vec3 l = normalize(light.w == 0.0 ? light.xyz : light.xyz - eyePosition);
    vec3 v = normalize(-eyePosition);

    float facing = dot(n, l);
    float diffuse = clamp((facing + WRAP) / (1.0 + WRAP), 0.0, 1.0);
    float specular = 0.0;
    if (facing > 0.0)
        specular = pow(max(dot(n, normalize(l + v)), 0.0), max(gl_FrontMaterial.shininess, 1.0));

    vec3 lit = gl_FrontLightModelProduct.sceneColor.rgb
             + gl_LightModel.ambient.rgb * gl_FrontMaterial.diffuse.rgb
             + gl_FrontLightProduct[0].ambient.rgb
             + gl_FrontLightProduct[0].diffuse.rgb * diffuse;
    vec4 texel = texture2D(colourMap, gl_TexCoord[0].st);
    vec3 colour = texel.rgb * lit + gl_FrontLightProduct[0].specular.rgb * specular;
    gl_FragColor = vec4(colour, texel.a * gl_FrontMaterial.diffuse.a);
}
