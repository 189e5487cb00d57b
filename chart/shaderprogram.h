#ifndef SHADERPROGRAM_H
#define SHADERPROGRAM_H

#include <QColor>
#include <QString>
#include <QtGui/qopengl.h>

class QOpenGLExtraFunctions;

// Compiles one vertex/fragment pair and feeds its uniforms. Every failure
// goes to the debug log only.
class ShaderProgram
{
public:
    bool load(QOpenGLExtraFunctions *f, const QString &vertex_path, const QString &fragment_path);
    bool use();
    bool uniformFloat(GLint location, float x);
    bool uniformColorf(GLint location, const QColor &c);
    bool uniformVec2f(GLint location, float x, float y);
    GLint uniformFloat(const char *name, float x);
    GLint uniformColorf(const char *name, const QColor &c);
    GLint uniformVec2f(const char *name, float x, float y);
    GLint location(const char *name) const;
    void destroy();

    bool valid() const { return valid_; }
    GLuint id() const { return program_; }

private:
    QOpenGLExtraFunctions *f_ = nullptr;
    GLuint program_ = 0;
    bool valid_ = false;
};

#endif
