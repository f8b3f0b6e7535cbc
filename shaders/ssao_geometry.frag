#version 330 core
// G-buffer pass: one surface sample per pixel, in view space.
//   gPosition   (RGB16F): view-space position (the cleared 0 on background).
//   gNormal     (RGB16F): xy the octahedral encoding of the view-space
//                         shading (normal-mapped) normal; z the bits of one
//                         16-bit float (packSurface below): the face normal,
//                         the shininess or, for emissive surfaces, the
//                         emission strength and a negative sign. No surface
//                         writes z = 0: the cleared 0 marks background, also
//                         where an orthographic view shows geometry behind
//                         the eye.
//   gAlbedoSpec (RGBA8):  rgb sqrt of the linear albedo (a cheap perceptual
//                         curve, so that dark colours keep their precision in
//                         8 bits), a the specular intensity.

layout(location = 0) out vec3 gPosition;
layout(location = 1) out vec3 gNormal;
layout(location = 2) out vec4 gAlbedoSpec;

in VertexData {
    vec3 viewPosition;
    vec3 viewNormal;
    vec3 viewTangent;
    vec2 texCoords;
    flat uint surfaceBits;  // gNormal.z's sign and exponent (ssao_geometry.vert)
    flat vec3 mapSizes;     // longer side of the diffuse, normal and specular maps; at most 1 without an image
} fs;

struct Material {
    vec3 diffuse;
    vec3 specular;
    vec3 emissive;
    float shininess;
};

uniform Material material;
uniform sampler2D texture_diffuse1;   // sRGB-encoded colour
uniform sampler2D texture_normal1;    // tangent-space normal, +y along the v direction
uniform sampler2D texture_specular1;  // specular intensity in red

// The footprint, in texels a pixel, up to which normal maps keep their full slopes.
const float kSharpFootprint = 1.5;

// The sRGB curve x^2.4 (x = (c + 0.055) / 1.055) as x^2 times a fit of
// x^0.4 around one square root: within 0.5 % of the exact curve, a fifth of
// an 8-bit step in the stored square root, far cheaper than pow per channel.
vec3 srgbToLinear(vec3 c) {
    vec3 x = (c + 0.055) / 1.055;
    vec3 curve = x * x * (0.07623002 + 1.06752223 * sqrt(x) - 0.14534574 * x);
    return mix(c / 12.92, curve, step(0.04045, c));
}

vec2 octahedralEncode(vec3 n) {
    n /= abs(n.x) + abs(n.y) + abs(n.z);
    vec2 signs = vec2(n.x >= 0.0 ? 1.0 : -1.0, n.y >= 0.0 ? 1.0 : -1.0);
    return n.z >= 0.0 ? n.xy : (1.0 - abs(n.yx)) * signs;
}

// gNormal.z is the bits of one 16-bit float: the sign for emissive
// surfaces, the exponent field (1 to 30) for the shininess or emission level
// (both set by the vertex stage), the ten mantissa bits for the octahedral
// face normal, five bits an axis (good to about 4 degrees). The exponent is
// never 0 or 31, so the value is never 0 (background), a denormal, an
// infinity or NaN, and the 16-bit target stores it exactly. Later passes
// rebuilding the face normal from the stored 16-bit positions instead would
// see it tilt by some 17 degrees from pixel to pixel: neighbouring positions
// differ by about one 16-bit step.
float packSurface(vec3 faceNormal) {
    // Masked: a facet seen exactly edge-on (no area, no fragments to speak
    // of) encodes as NaN, which must not reach the exponent.
    uvec2 axes = uvec2(octahedralEncode(faceNormal) * 15.5 + 16.0) & 31u;
    // The ten mantissa bits of a 16-bit float are the top ten of a 32-bit one.
    return uintBitsToFloat(fs.surfaceBits | (axes.x | axes.y << 5) << 13);
}

void main() {
    // The facet's own normal from the neighbouring pixels' positions (within
    // one triangle the derivatives are exact); it faces the camera.
    vec3 facet = cross(dFdx(fs.viewPosition), dFdy(fs.viewPosition));
    vec3 normal = normalize(fs.viewNormal);
    // Two-sided geometry (the lamp) shows its back faces: light them as fronts.
    if (!gl_FrontFacing) normal = -normal;
    vec3 tangent = fs.viewTangent - normal * dot(normal, fs.viewTangent);
    bool hasTangent = dot(tangent, tangent) > 1e-10;
    vec2 uv = fs.texCoords;

    // The maps have no mipmaps, so each tap reads one level-0 texel
    // neighbourhood. The pixel's footprint: how far one pixel step moves
    // through the maps, along the screen axis on which it moves farther
    // (the maps are square, so uv units compare), in texels of the normal
    // map. Relief finer than the footprint averages out to flat: the normal
    // map's slopes fade once a pixel spans more than kSharpFootprint texels,
    // so that they do not sparkle and crawl from pixel to pixel. Colour is
    // read twice, a quarter pixel before and after the pixel's centre along
    // both screen axes at once (its diagonal): where the surface is seen from
    // afar or at a slant, one tap would pick texels here and there and a seam
    // three texels wide would break into dots whichever way it runs across
    // the screen; two bilinear taps apart along both axes keep it whole.
    vec2 stepX = dFdx(uv);
    vec2 stepY = dFdy(uv);
    vec2 along = 0.25 * (stepX + stepY);
    float footprint = sqrt(max(dot(stepX, stepX), dot(stepY, stepY))) * fs.mapSizes.y;
    vec4 normalTexel = textureLod(texture_normal1, uv, 0.0);
    if (hasTangent && fs.mapSizes.y > 1.0) {
        tangent = normalize(tangent);
        mat3 tbn = mat3(tangent, cross(normal, tangent), normal);
        // The loader wraps with mirrored repeat: in every other tile along u
        // (and v) the map runs backwards, and so must its slopes.
        vec2 mirror = vec2(lessThan(fract(uv * 0.5), vec2(0.5))) * 2.0 - 1.0;
        vec3 bump = normalTexel.xyz * 2.0 - 1.0;
        bump.xy *= mirror * (kSharpFootprint / max(footprint, kSharpFootprint));
        // Not normalised: the octahedral encoding below scales it anyway.
        normal = tbn * bump;
    }

    vec3 albedo = material.diffuse;
    vec4 diffuseTexel =
        0.5 * (textureLod(texture_diffuse1, uv - along, 0.0) + textureLod(texture_diffuse1, uv + along, 0.0));
    if (fs.mapSizes.x > 1.0) albedo *= srgbToLinear(diffuseTexel.rgb);
    vec4 specularTexel = textureLod(texture_specular1, uv, 0.0);
    float specularMap = fs.mapSizes.z > 1.0 ? specularTexel.r : 1.0;
    float specular = specularMap * dot(material.specular, vec3(1.0 / 3.0));

    // The glow is the surface colour times the emissive factor; its strength
    // takes the shininess's place.
    float emission = max(material.emissive.r, max(material.emissive.g, material.emissive.b));
    if (emission > 0.0) albedo *= material.emissive / emission;

    gPosition = fs.viewPosition;
    gNormal = vec3(octahedralEncode(normal), packSurface(facet));
    gAlbedoSpec = vec4(sqrt(clamp(albedo, 0.0, 1.0)), clamp(specular, 0.0, 1.0));
}
