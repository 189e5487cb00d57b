#version 330 core
#extension GL_ARB_explicit_uniform_location : enable
#extension GL_ARB_explicit_attrib_location : enable

layout(location = 0) in vec2 value;

void main()
{
    gl_Position = vec4(value.x, value.y, -0.0, 1.0);
}
