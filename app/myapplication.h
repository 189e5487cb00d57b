#ifndef MYAPPLICATION_H
#define MYAPPLICATION_H

#include <QList>
#include <QObject>
#include <QPoint>
#include <QString>

class QGuiApplication;
class QScreen;
class MyScreen;

// Paths, configuration files, text/hex conversions, fonts and screens for
// the UI.
class MyApplication : public QObject
{
    Q_OBJECT
    Q_PROPERTY(Qt::CursorShape cursor_shape READ cursor_shape WRITE set_cursor_shape NOTIFY cursor_shape_changed)
    Q_PROPERTY(bool cursor_shape_valid READ cursor_shape_valid WRITE set_cursor_shape_valid NOTIFY cursor_shape_valid_changed)
    Q_PROPERTY(QString mono_font READ mono_font WRITE set_mono_font NOTIFY mono_font_changed)
    Q_PROPERTY(QString general_font READ general_font WRITE set_general_font NOTIFY general_font_changed)
    Q_PROPERTY(bool initialized READ initialized WRITE set_initialized NOTIFY initialized_changed)
public:
    explicit MyApplication(QObject *parent = nullptr);
    explicit MyApplication(QGuiApplication *app, QObject *parent = nullptr);
    ~MyApplication() override;

    Q_INVOKABLE MyScreen *getScreen(QPoint point) const;
    Q_INVOKABLE MyScreen *getScreen() const;

    Q_INVOKABLE QString platform() const;
    Q_INVOKABLE QString version() const { return QStringLiteral("1.3.10"); }
    // The configuration format number and the oldest one still accepted.
    static constexpr int kVnumber = 100;
    static constexpr int kMinimumVnumber = 3;
    Q_INVOKABLE int vnumber() const { return kVnumber; }
    Q_INVOKABLE int minimum_vnumber() const { return kMinimumVnumber; }
    Q_INVOKABLE QString qtVersionStr() const;

    Q_INVOKABLE QString config_dir_path() const;
    Q_INVOKABLE QString context_dir_path() const;
    Q_INVOKABLE QString data_dir_path() const;
    Q_INVOKABLE QString temp_dir_path() const;
    Q_INVOKABLE QString run_path() const;
    Q_INVOKABLE QString plugin_path() const;
    Q_INVOKABLE QString widgets_path() const;
    Q_INVOKABLE QString dataengines_path() const;
    Q_INVOKABLE QString themes_path() const;

    Q_INVOKABLE QString get_config_file(QString relative_path = QString(), QString filename = QString(),
                                        bool mkfile = true) const;
    Q_INVOKABLE bool remove_config(QString relative_path, QString filename) const;
    // Answers whether the file was written; a failed write leaves the old
    // file as it was.
    Q_INVOKABLE bool write_config(QString relative_path, QString filename, QString content) const;
    // Writes `bytes` to a temporary file beside `path` and renames it over
    // `path`, creating the directory when missing. Answers an empty text on
    // success, otherwise the reason.
    static QString write_file(const QString &path, const QByteArray &bytes);
    Q_INVOKABLE QString read_config(QString relative_path, QString filename) const;
    Q_INVOKABLE bool copyDirectory(QString fromDir, QString toDir, bool bCoverIfFileExists = true) const;

    Q_INVOKABLE QString hexToString(QString data, QString encoder) const;
    Q_INVOKABLE QString stringToHex(QString data, QString encoder) const;
    Q_INVOKABLE QString newLineSymbol() const;
    Q_INVOKABLE QString newLineSymbolReg() const;

    Qt::CursorShape cursor_shape() const { return cursor_shape_; }
    void set_cursor_shape(Qt::CursorShape shape);
    bool cursor_shape_valid() const { return cursor_shape_valid_; }
    void set_cursor_shape_valid(bool valid);
    QString mono_font() const { return mono_font_; }
    void set_mono_font(const QString &font);
    QString general_font() const { return general_font_; }
    void set_general_font(const QString &font);
    bool initialized() const { return initialized_; }
    void set_initialized(bool value);

    const QList<MyScreen *> &screens() const { return screens_; }

signals:
    void cursor_shape_changed();
    void cursor_shape_valid_changed();
    void mono_font_changed();
    void general_font_changed();
    void initialized_changed();

public slots:
    void handleScreenAdded(QScreen *screen);
    void handleScreenRemoved(QScreen *screen);

private:
    QString version_dir() const;

    QGuiApplication *application_ = nullptr;
    QList<MyScreen *> screens_;
    Qt::CursorShape cursor_shape_ = Qt::ArrowCursor;
    bool cursor_shape_valid_ = false;
    QString mono_font_;
    QString general_font_;
    bool initialized_ = false;
};

#endif
