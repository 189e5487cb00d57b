#ifndef DYNTRANSLATOR_H
#define DYNTRANSLATOR_H

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

class QCoreApplication;
class QQmlEngine;
class QTranslator;

// Switches the UI language at run time: installs the chosen catalogues,
// retranslates the scene and remembers the choice in the "language" file.
// The source texts are Simplified Chinese, which needs no catalogue.
class DynTranslator : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int language_index READ language_index NOTIFY language_index_changed)
    Q_PROPERTY(QString language_file_name READ language_file_name NOTIFY language_index_changed)
public:
    explicit DynTranslator(QObject *parent = nullptr);
    ~DynTranslator() override;

    void set_application(QCoreApplication *application) { application_ = application; }
    void set_engine(QQmlEngine *engine) { engine_ = engine; }

    int language_index() const { return language_index_; }
    QString language_file_name() const { return file_names_.at(language_index_); }

    Q_INVOKABLE void select_language(int language, bool force = false);
    Q_INVOKABLE QStringList language_string_list() const { return display_names_; }
    Q_INVOKABLE void saveLanguage();

    // Where the catalogue of a language is looked for: the program's own
    // texts, then those of the widget plug-ins.
    QString application_catalogue(int language) const;
    QString widgets_catalogue(int language) const;

signals:
    void language_index_start_change();
    void language_index_changed();

private:
    void remove_translators();
    void install(const QString &catalogue);

    const QStringList display_names_;
    const QStringList file_names_;
    QList<QTranslator *> translators_;
    int language_index_ = 1;
    QCoreApplication *application_ = nullptr;
    QQmlEngine *engine_ = nullptr;
};

#endif
