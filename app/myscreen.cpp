#include "myscreen.h"

#include <QScreen>

MyScreen::MyScreen(QObject *parent)
    : QObject(parent)
{
}

MyScreen::MyScreen(QScreen *screen, QObject *parent)
    : QObject(parent)
{
    follow(screen);
}

void MyScreen::set_screen(QScreen *screen)
{
    follow(screen);
    emit geometryChanged();
}

// Only the wrapped screen's geometry changes reach the UI.
void MyScreen::follow(QScreen *screen)
{
    if (screen_)
        disconnect(screen_, SIGNAL(availableGeometryChanged(QRect)), this,
                   SLOT(handleAvailableGeometryChanged(QRect)));
    screen_ = screen;
    if (screen_)
        connect(screen_, SIGNAL(availableGeometryChanged(QRect)), this, SLOT(handleAvailableGeometryChanged(QRect)));
}

QRect MyScreen::geometry() const
{
    return screen_ ? screen_->availableGeometry() : QRect(0, 0, 0, 0);
}

void MyScreen::handleAvailableGeometryChanged(QRect)
{
    emit geometryChanged();
}
