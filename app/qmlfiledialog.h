#ifndef QMLFILEDIALOG_H
#define QMLFILEDIALOG_H

#include <QObject>
#include <QString>
#include <functional>

// The platform's open-file, save-file and choose-directory dialogs for the
// UI. `open` blocks until the dialog closes.
class QMLFileDialog : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString file_url READ file_url NOTIFY file_url_changed)
    Q_PROPERTY(QString file_name READ file_name NOTIFY file_url_changed)
public:
    enum class Kind { OpenFile, SaveFile, Directory };
    // Shows a dialog and returns the chosen path, empty when cancelled.
    using Chooser = std::function<QString(Kind kind, const QString &caption, const QString &dir,
                                          const QString &filter)>;

    explicit QMLFileDialog(QObject *parent = nullptr);

    QString file_url() const { return file_url_; }
    QString file_name() const { return file_name_; }

    Q_INVOKABLE void open(const QString &caption = QString(), const QString &dir = QString(),
                          const QString &filter = QString(), bool true_save_false_open = false,
                          bool true_dir_false_file = false);

    // Replaces the platform dialogs for every instance; an empty chooser
    // restores them.
    static void set_chooser(Chooser chooser);

signals:
    void file_url_changed();
    void closed();

public slots:
    void on_file_selected(QString file);

private:
    QString file_url_;
    QString file_name_;
};

#endif
