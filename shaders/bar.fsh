#version 330 core
#extension GL_ARB_explicit_uniform_location : enable
#extension GL_ARB_explicit_attrib_location : enable

uniform vec4 color;
uniform float z;
out vec4 frag_color;

void main()
{
    frag_color = color;
}
