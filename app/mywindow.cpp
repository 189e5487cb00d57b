#include "mywindow.h"

#include <QOpenGLContext>
#include <QSurfaceFormat>

#include "configfiles.h"
#include "myapplication.h"
#include "myscreen.h"

namespace {
const QString kSamplesFile = QStringLiteral("samples");
const QString kAppConfig = QStringLiteral("..");

int usable_samples(int count)
{
    return count < 2 ? 1 : count;
}
}

MyWindow::MyWindow(QWindow *parent)
    : QQuickWindow(parent), current_screen_(new MyScreen(this))
{
    QQuickWindow::setDefaultAlphaBuffer(true);
    setFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
             | Qt::WindowMaximizeButtonHint);

    const QString saved = ConfigFiles::get().read_config(kAppConfig, kSamplesFile);
    bool number = false;
    const int count = saved.toInt(&number);
    if (!saved.isEmpty() && number) {
        samples_ = usable_samples(count);
        emit samples_changed();
    }

    QSurfaceFormat surface = format();
    if (QOpenGLContext::openGLModuleType() == QOpenGLContext::LibGL) {
        surface.setVersion(2, 0);
        surface.setProfile(QSurfaceFormat::CoreProfile);
    }
    surface.setDepthBufferSize(24);
    surface.setStencilBufferSize(8);
    surface.setSamples(samples_);
    setFormat(surface);

    current_screen_->set_screen(screen());
    connect(this, SIGNAL(screenChanged(QScreen *)), this, SLOT(handle_screen_changed(QScreen *)));
}

void MyWindow::set_samples(int samples)
{
    if (samples == samples_)
        return;
    samples_ = usable_samples(samples);
    emit samples_changed();
}

int MyWindow::real_samples() const
{
    return format().samples();
}

void MyWindow::set_current_screen(MyScreen *screen)
{
    handle_screen_changed(screen ? screen->screen() : nullptr);
}

void MyWindow::saveSamples()
{
    ConfigFiles::get().write_config(kAppConfig, kSamplesFile, QString::number(samples_));
}

void MyWindow::handle_screen_changed(QScreen *screen)
{
    current_screen_->set_screen(screen);
    emit current_screen_changed();
}
