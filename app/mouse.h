#ifndef MOUSE_H
#define MOUSE_H

#include <QObject>
#include <QPoint>
#include <QTimer>

// Polls the global mouse buttons and position while active, for dragging
// and resizing outside any item; can also impose an application-wide
// cursor.
class Mouse : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool pressed READ pressed NOTIFY pressed_changed)
    Q_PROPERTY(bool active READ active WRITE set_active NOTIFY active_changed)
    Q_PROPERTY(int peroid READ peroid WRITE set_peroid NOTIFY peroid_changed)
    Q_PROPERTY(QPoint position READ position WRITE set_position NOTIFY position_changed)
    Q_PROPERTY(Qt::MouseButtons buttons READ buttons NOTIFY buttons_changed)
    Q_PROPERTY(Qt::CursorShape cursorShape READ cursorShape WRITE set_cursor_shape NOTIFY cursor_shape_changed)
    Q_PROPERTY(int mouseX READ mouseX NOTIFY position_changed)
    Q_PROPERTY(int mouseY READ mouseY NOTIFY position_changed)
public:
    explicit Mouse(QObject *parent = nullptr);

    bool pressed() const;
    bool active() const { return active_; }
    void set_active(bool active);
    int peroid() const { return peroid_; }
    void set_peroid(int peroid);
    QPoint position() const { return position_; }
    void set_position(const QPoint &position);
    Qt::MouseButtons buttons() const { return buttons_; }
    Qt::CursorShape cursorShape() const { return cursor_shape_; }
    int mouseX() const { return position_.x(); }
    int mouseY() const { return position_.y(); }

    Q_INVOKABLE void set_cursor_shape(Qt::CursorShape shape);

signals:
    void pressed_changed();
    void active_changed();
    void peroid_changed();
    void position_changed();
    void buttons_changed();
    void cursor_shape_changed();

public slots:
    void update_mouse();

private:
    void set_buttons(Qt::MouseButtons buttons);
    void set_was_pressed(bool pressed);

    QTimer timer_;
    bool active_ = false;
    int peroid_ = 10;
    QPoint position_;
    Qt::MouseButtons buttons_ = Qt::NoButton;
    Qt::CursorShape cursor_shape_ = Qt::ArrowCursor;
    bool was_pressed_ = false;
};

#endif
