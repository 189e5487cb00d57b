#include "mouse.h"

#include <QCursor>
#include <QGuiApplication>

Mouse::Mouse(QObject *parent)
    : QObject(parent)
{
    connect(&timer_, SIGNAL(timeout()), this, SLOT(update_mouse()));
}

bool Mouse::pressed() const
{
    return QGuiApplication::mouseButtons() != Qt::NoButton;
}

void Mouse::set_active(bool active)
{
    if (active == active_)
        return;
    active_ = active;
    timer_.stop();
    if (active) {
        timer_.setInterval(peroid_);
        timer_.start();
        update_mouse();
    } else {
        set_was_pressed(false);
        set_buttons(Qt::NoButton);
    }
    emit active_changed();
}

void Mouse::set_peroid(int peroid)
{
    if (peroid == peroid_)
        return;
    peroid_ = peroid;
    emit peroid_changed();
}

void Mouse::set_position(const QPoint &position)
{
    if (position == position_)
        return;
    position_ = position;
    emit position_changed();
}

void Mouse::update_mouse()
{
    const Qt::MouseButtons now = QGuiApplication::mouseButtons();
    set_buttons(now);
    set_was_pressed(now != Qt::NoButton);
    set_position(QCursor::pos());
}

void Mouse::set_cursor_shape(Qt::CursorShape shape)
{
    cursor_shape_ = shape;
    QGuiApplication::setOverrideCursor(QCursor(shape));
    emit cursor_shape_changed();
}

void Mouse::set_buttons(Qt::MouseButtons buttons)
{
    if (buttons == buttons_)
        return;
    buttons_ = buttons;
    emit buttons_changed();
}

void Mouse::set_was_pressed(bool pressed)
{
    if (pressed == was_pressed_)
        return;
    was_pressed_ = pressed;
    emit pressed_changed();
}
