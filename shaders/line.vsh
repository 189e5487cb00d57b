#version 330 core
#extension GL_ARB_explicit_uniform_location : enable
#extension GL_ARB_explicit_attrib_location : enable

// One vertex per sample; with use_instance each instance is one segment
// (value, index) -> (next_value, next_index) widened into a quad.
layout(location = 0) in float value;
layout(location = 1) in float index;
layout(location = 2) in float next_value;
layout(location = 3) in float next_index;

uniform float left_index;
uniform float top_value;
uniform float yoffset;
uniform float scale;
uniform float xratio;
uniform float yratio;
uniform float z;
uniform float point_size;
uniform vec2 window_size;
uniform float use_instance;

void main()
{
    float ya = top_value - (value * scale + yoffset);
    if (use_instance <= 0.5) {
        gl_Position = vec4(-1.0 + (index - left_index) * xratio, -1.0 + ya * yratio, z, 1.0);
        gl_PointSize = point_size;
        return;
    }
    float yb = top_value - (next_value * scale + yoffset);
    float w = window_size.x;
    float h = window_size.y;
    float across = (w * (next_index - left_index) - w * (index - left_index)) * xratio;
    float down = (h * ya - h * yb) * yratio;
    float dx = 0.0;
    float dy = point_size;
    // A flat segment (or a flat mapping) has no slope: widen it vertically.
    if (down != 0.0) {
        float k = across / down;
        dx = sqrt(point_size * point_size / (k * k + 1.0));
        dy = k * dx;
    }
    vec2 off = vec2(dx / w, dy / h);
    bool second = gl_VertexID >= 2;
    float sgn = (gl_VertexID == 0 || gl_VertexID == 2) ? -1.0 : 1.0;
    float ix = second ? next_index : index;
    float iy = second ? yb : ya;
    gl_Position = vec4(-1.0 + (ix - left_index) * xratio + sgn * off.x,
                       -1.0 + iy * yratio + sgn * off.y, z, 1.0);
    gl_PointSize = point_size;
}
