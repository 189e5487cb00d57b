#ifndef MYSCREEN_H
#define MYSCREEN_H

#include <QObject>
#include <QPointer>
#include <QRect>

#include <QScreen>

// Publishes a screen's available geometry to the UI.
class MyScreen : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int x READ x NOTIFY geometryChanged)
    Q_PROPERTY(int y READ y NOTIFY geometryChanged)
    Q_PROPERTY(int width READ width NOTIFY geometryChanged)
    Q_PROPERTY(int height READ height NOTIFY geometryChanged)
public:
    explicit MyScreen(QObject *parent = nullptr);
    explicit MyScreen(QScreen *screen, QObject *parent = nullptr);

    QScreen *screen() const { return screen_; }
    void set_screen(QScreen *screen);

    int x() const { return geometry().x(); }
    int y() const { return geometry().y(); }
    int width() const { return geometry().width(); }
    int height() const { return geometry().height(); }

signals:
    void geometryChanged();

public slots:
    void handleAvailableGeometryChanged(QRect geometry);

private:
    void follow(QScreen *screen);
    QRect geometry() const;
    QPointer<QScreen> screen_;
};

#endif
