#ifndef MYWINDOW_H
#define MYWINDOW_H

#include <QQuickWindow>

class MyScreen;
class QScreen;

// The UI's frameless top-level window. It asks for the multisampling count
// saved in the "samples" file and follows the screen it is on.
class MyWindow : public QQuickWindow
{
    Q_OBJECT
    Q_PROPERTY(int samples READ samples WRITE set_samples NOTIFY samples_changed)
    Q_PROPERTY(int real_samples READ real_samples NOTIFY samples_changed)
    Q_PROPERTY(MyScreen *current_screen READ current_screen WRITE set_current_screen NOTIFY current_screen_changed)
public:
    explicit MyWindow(QWindow *parent = nullptr);

    int samples() const { return samples_; }
    void set_samples(int samples);
    int real_samples() const;
    MyScreen *current_screen() const { return current_screen_; }
    void set_current_screen(MyScreen *screen);

    Q_INVOKABLE void saveSamples();

signals:
    void samples_changed();
    void current_screen_changed();

public slots:
    void handle_screen_changed(QScreen *screen);

private:
    int samples_ = 2;
    MyScreen *current_screen_;
};

#endif
