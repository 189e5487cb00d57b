#include "qmlfiledialog.h"

#include <QFileDialog>

namespace {

QString platform_dialog(QMLFileDialog::Kind kind, const QString &caption, const QString &dir,
                        const QString &filter)
{
    switch (kind) {
    case QMLFileDialog::Kind::Directory:
        return QFileDialog::getExistingDirectory(nullptr, caption, dir,
                                                 QFileDialog::ShowDirsOnly | QFileDialog::DontResolveSymlinks);
    case QMLFileDialog::Kind::SaveFile:
        return QFileDialog::getSaveFileName(nullptr, caption, dir, filter);
    case QMLFileDialog::Kind::OpenFile:
        break;
    }
    return QFileDialog::getOpenFileName(nullptr, caption, dir, filter);
}

QMLFileDialog::Chooser &chooser()
{
    static QMLFileDialog::Chooser current = platform_dialog;
    return current;
}

}

QMLFileDialog::QMLFileDialog(QObject *parent)
    : QObject(parent)
{
}

void QMLFileDialog::set_chooser(Chooser replacement)
{
    chooser() = replacement ? std::move(replacement) : Chooser(platform_dialog);
}

void QMLFileDialog::open(const QString &caption, const QString &dir, const QString &filter,
                         bool true_save_false_open, bool true_dir_false_file)
{
    const Kind kind = true_dir_false_file ? Kind::Directory
                      : true_save_false_open ? Kind::SaveFile
                                             : Kind::OpenFile;
    const QString path = chooser()(kind, caption, dir, filter);
    if (!path.isEmpty())
        on_file_selected(path);
}

void QMLFileDialog::on_file_selected(QString file)
{
    file_url_ = file;
    file_name_ = file.mid(file.lastIndexOf(QLatin1Char('/')) + 1);
    emit file_url_changed();
}
