#include "myscreen.h"

#include <QScreen>

MyScreen::MyScreen(QObject *parent)
    : QObject(parent)
{
}

MyScreen::MyScreen(QScreen *screen, QObject *parent)
    : QObject(parent), screen_(screen)
{
}

void MyScreen::set_screen(QScreen *screen)
{
    screen_ = screen;
    emit geometryChanged();
}

QRect MyScreen::geometry() const
{
    return screen_ ? screen_->availableGeometry() : QRect(0, 0, 0, 0);
}

void MyScreen::handleAvailableGeometryChanged(QRect)
{
    emit geometryChanged();
}
