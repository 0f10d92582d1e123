#version 120
// Per-pixel lighting from GL_LIGHT0 with the material colours, for both programs: the game links
// this shader into each of them beside its own fragment shader, which calls pointLight.
//
// The game's light shines from the top of the view, so surfaces that face the camera are lit at
// a grazing angle. Wrapped diffuse light (it reaches a little past the terminator) and a fill
// from the light model's ambient on the diffuse colour keep such surfaces readable.

// The surface point in eye space, from either vertex shader.
varying vec3 eyePosition;
varying vec3 eyeNormal;

const float WRAP = 0.5;

// The light at the surface point: `lit` is what the material's emission, ambient and diffuse
// colours give, `highlight` its specular reflection.
void pointLight(out vec3 lit, out vec3 highlight)
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

    lit = gl_FrontLightModelProduct.sceneColor.rgb
        + gl_LightModel.ambient.rgb * gl_FrontMaterial.diffuse.rgb
        + gl_FrontLightProduct[0].ambient.rgb
        + gl_FrontLightProduct[0].diffuse.rgb * diffuse;
    highlight = gl_FrontLightProduct[0].specular.rgb * specular;
}
