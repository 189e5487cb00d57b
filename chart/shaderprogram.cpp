#include "shaderprogram.h"

#include <QCoreApplication>
#include <QDebug>
#include <QFile>
#include <QOpenGLExtraFunctions>

#include "chartresources.h"

namespace {

QString info_log(QOpenGLExtraFunctions *f, GLuint object, bool program)
{
    char log[512] = {};
    GLsizei length = 0;
    if (program)
        f->glGetProgramInfoLog(object, sizeof(log), &length, log);
    else
        f->glGetShaderInfoLog(object, sizeof(log), &length, log);
    return QString::fromLocal8Bit(log, std::max(0, std::min<int>(length, int(sizeof(log)))));
}

GLuint compile(QOpenGLExtraFunctions *f, GLenum type, const QByteArray &source, bool *ok)
{
    const GLuint shader = f->glCreateShader(type);
    const char *text = source.constData();
    const GLint length = source.size();
    f->glShaderSource(shader, 1, &text, &length);
    f->glCompileShader(shader);
    GLint status = 0;
    f->glGetShaderiv(shader, GL_COMPILE_STATUS, &status);
    *ok = status != 0;
    return shader;
}

}

bool ShaderProgram::load(QOpenGLExtraFunctions *f, const QString &vertex_path, const QString &fragment_path)
{
    ChartResources::ensure();
    valid_ = false;
    if (!f)
        return false;
    if (!QFile::exists(vertex_path) || !QFile::exists(fragment_path)) {
        qDebug() << QCoreApplication::translate("ShaderProgram", "shader文件不存在");
        return false;
    }
    QFile vfile(vertex_path);
    if (!vfile.open(QIODevice::ReadOnly | QIODevice::Text)) {
        qDebug() << "vertex shader文件打开失败";
        return false;
    }
    QFile ffile(fragment_path);
    if (!ffile.open(QIODevice::ReadOnly | QIODevice::Text)) {
        qDebug() << "fragment shader文件打开失败";
        return false;
    }
    const QByteArray vsource = vfile.readAll();
    const QByteArray fsource = ffile.readAll();

    bool ok = false;
    const GLuint vs = compile(f, GL_VERTEX_SHADER, vsource, &ok);
    if (!ok) {
        qDebug().noquote() << "vertexString:" << QString::fromUtf8(vsource);
        qDebug().noquote() << "ERROR::SHADER::VERTEX::COMPILATION_FAILED\n" << info_log(f, vs, false);
        f->glDeleteShader(vs);
        return false;
    }
    const GLuint fs = compile(f, GL_FRAGMENT_SHADER, fsource, &ok);
    if (!ok) {
        qDebug().noquote() << "ERROR::SHADER::FRAGMENT::COMPILATION_FAILED\n" << info_log(f, fs, false);
        f->glDeleteShader(vs);
        f->glDeleteShader(fs);
        return false;
    }
    const GLuint program = f->glCreateProgram();
    f->glAttachShader(program, vs);
    f->glAttachShader(program, fs);
    f->glLinkProgram(program);
    GLint linked = 0;
    f->glGetProgramiv(program, GL_LINK_STATUS, &linked);
    f->glDeleteShader(vs);
    f->glDeleteShader(fs);
    if (!linked) {
        qDebug().noquote() << "ERROR::SHADER::PROGRAM::LINKING_FAILED\n" << info_log(f, program, true);
        f->glDeleteProgram(program);
        return false;
    }
    f_ = f;
    program_ = program;
    valid_ = true;
    return true;
}

bool ShaderProgram::use()
{
    if (!valid_) {
        qDebug() << "use()::ERROR::SHADER::PROGRAM::INVALID\n";
        return false;
    }
    f_->glUseProgram(program_);
    return true;
}

bool ShaderProgram::uniformFloat(GLint location, float x)
{
    if (!valid_ || location < 0) {
        qDebug() << "uniformFloat::ERROR::SHADER::PROGRAM::INVALID\n";
        return false;
    }
    f_->glUniform1f(location, x);
    return true;
}

bool ShaderProgram::uniformColorf(GLint location, const QColor &c)
{
    if (!valid_ || location < 0) {
        qDebug() << "uniformColorf::ERROR::SHADER::PROGRAM::INVALID:" << location;
        return false;
    }
    f_->glUniform4f(location, float(c.redF()), float(c.greenF()), float(c.blueF()), float(c.alphaF()));
    return true;
}

bool ShaderProgram::uniformVec2f(GLint location, float x, float y)
{
    if (!valid_ || location < 0) {
        qDebug() << "ERROR::SHADER::PROGRAM::INVALID\n";
        return false;
    }
    f_->glUniform2f(location, x, y);
    return true;
}

GLint ShaderProgram::location(const char *name) const
{
    return valid_ ? f_->glGetUniformLocation(program_, name) : -1;
}

GLint ShaderProgram::uniformFloat(const char *name, float x)
{
    if (!valid_) {
        qDebug() << "ERROR::SHADER::PROGRAM::INVALID\n";
        return -1;
    }
    const GLint loc = location(name);
    uniformFloat(loc, x);
    return loc;
}

GLint ShaderProgram::uniformColorf(const char *name, const QColor &c)
{
    if (!valid_) {
        qDebug() << "ERROR::SHADER::PROGRAM::INVALID\n";
        return -1;
    }
    const GLint loc = location(name);
    uniformColorf(loc, c);
    return loc;
}

GLint ShaderProgram::uniformVec2f(const char *name, float x, float y)
{
    if (!valid_) {
        qDebug() << "ERROR::SHADER::PROGRAM::INVALID\n";
        return -1;
    }
    const GLint loc = location(name);
    uniformVec2f(loc, x, y);
    return loc;
}

void ShaderProgram::destroy()
{
    if (valid_)
        f_->glDeleteProgram(program_);
    valid_ = false;
    program_ = 0;
}
