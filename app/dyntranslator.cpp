#include "dyntranslator.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QQmlEngine>
#include <QRegularExpression>
#include <QTranslator>

#include "configfiles.h"
#include "myapplication.h"

namespace {
const QString kLanguageFile = QStringLiteral("language");
const QString kAppConfig = QStringLiteral("..");
}

DynTranslator::DynTranslator(QObject *parent)
    : QObject(parent),
      display_names_{QStringLiteral("English"), QStringLiteral("简体中文"), QStringLiteral("繁体中文")},
      file_names_{QStringLiteral("English"), QStringLiteral("SimplifiedChinese"),
                  QStringLiteral("TraditionalChinese")}
{
    const MyApplication &config = ConfigFiles::get();
    if (!QFileInfo::exists(config.get_config_file(kAppConfig, kLanguageFile, false)))
        return;
    // Hand-edited files often end in a line break.
    const QString saved = config.read_config(kAppConfig, kLanguageFile).trimmed();
    static const QRegularExpression decimal(QStringLiteral("^[+-]?[0-9]+$"));
    if (decimal.match(saved).hasMatch()) {
        // Numbers too long for an int still lie beyond one end of the range.
        bool fits = false;
        const int d = saved.toInt(&fits);
        const int last = int(file_names_.size()) - 1;
        language_index_ = fits ? qBound(0, d, last) : saved.startsWith(QLatin1Char('-')) ? 0 : last;
        emit language_index_changed();
    } else if (file_names_.contains(saved)) {
        language_index_ = file_names_.indexOf(saved);
        emit language_index_changed();
    }
}

DynTranslator::~DynTranslator()
{
    remove_translators();
}

QString DynTranslator::application_catalogue(int language) const
{
    return ConfigFiles::get().run_path() + "/translations/" + file_names_.at(language) + ".qm";
}

QString DynTranslator::widgets_catalogue(int language) const
{
    return ConfigFiles::get().widgets_path() + "/translations/" + file_names_.at(language) + ".qm";
}

void DynTranslator::select_language(int language, bool force)
{
    if (!application_ || language < 0 || language >= file_names_.size())
        return;
    const QString own = application_catalogue(language);
    const QString widgets = widgets_catalogue(language);
    if (language == language_index_ && !force)
        return;
    remove_translators();
    emit language_index_start_change();
    install(own);
    install(widgets);
    if (engine_)
        engine_->retranslate();
    language_index_ = language;
    emit language_index_changed();
}

void DynTranslator::saveLanguage()
{
    ConfigFiles::get().write_config(kAppConfig, kLanguageFile, language_file_name());
}

void DynTranslator::remove_translators()
{
    for (QTranslator *translator : qAsConst(translators_)) {
        if (application_)
            QCoreApplication::removeTranslator(translator);
        delete translator;
    }
    translators_.clear();
}

void DynTranslator::install(const QString &catalogue)
{
    if (!QFileInfo(catalogue).isFile())
        return;
    auto *translator = new QTranslator();
    translators_.append(translator);
    if (translator->load(catalogue))
        QCoreApplication::installTranslator(translator);
}
