#include "myapplication.h"

#include <QCursor>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QSaveFile>
#include <QScreen>
#include <QStandardPaths>
#include <QTextCodec>
#include <QTextStream>

#include "myscreen.h"
#include "runpath.h"

namespace {

QTextCodec *codec_or_utf8(const QByteArray &name)
{
    QTextCodec *codec = name.isEmpty() ? nullptr : QTextCodec::codecForName(name);
    return codec ? codec : QTextCodec::codecForName("UTF-8");
}

QString app_config()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
}

}

MyApplication::MyApplication(QObject *parent)
    : MyApplication(qobject_cast<QGuiApplication *>(QCoreApplication::instance()), parent)
{
}

MyApplication::MyApplication(QGuiApplication *app, QObject *parent)
    : QObject(parent), application_(app)
{
    if (application_) {
        for (QScreen *screen : QGuiApplication::screens())
            screens_.append(new MyScreen(screen, screen));

        const QStringList families = QFontDatabase().families();
        const QRegularExpression yahei(QStringLiteral("^(Microsoft YaHei)(.*)$"));
        auto general = std::find_if(families.begin(), families.end(),
                                    [&](const QString &f) { return yahei.match(f).hasMatch(); });
        general_font_ = general != families.end()
                            ? *general
                            : QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
        for (const QString &f : families) {
            if (f.contains(QLatin1String("mono"), Qt::CaseInsensitive)) {
                mono_font_ = f;
                break;
            }
        }
        emit general_font_changed();
        emit mono_font_changed();
        connect(application_, SIGNAL(screenAdded(QScreen *)), this, SLOT(handleScreenAdded(QScreen *)));
        connect(application_, SIGNAL(screenRemoved(QScreen *)), this, SLOT(handleScreenRemoved(QScreen *)));
    }
}

MyApplication::~MyApplication()
{
    qDebug() << "MyApplication:destroy";
}

MyScreen *MyApplication::getScreen(QPoint point) const
{
    if (!application_)
        return nullptr;
    QScreen *screen = QGuiApplication::screenAt(point);
    if (!screen)
        return nullptr;
    for (MyScreen *s : screens_)
        if (s->screen() == screen)
            return s;
    return nullptr;
}

MyScreen *MyApplication::getScreen() const
{
    return getScreen(QCursor::pos());
}

void MyApplication::handleScreenAdded(QScreen *screen)
{
    screens_.append(new MyScreen(screen, screen));
}

void MyApplication::handleScreenRemoved(QScreen *screen)
{
    for (int i = 0; i < screens_.size(); ++i) {
        if (screens_.at(i)->screen() == screen) {
            screens_.removeAt(i);
            return;
        }
    }
}

QString MyApplication::platform() const
{
#if defined(Q_OS_WIN)
    return QStringLiteral("windows");
#elif defined(Q_OS_MACOS)
    return QStringLiteral("macos");
#elif defined(Q_OS_LINUX)
    return QStringLiteral("linux");
#else
    return QSysInfo::kernelType();
#endif
}

QString MyApplication::qtVersionStr() const
{
    return QString::fromLatin1(qVersion());
}

QString MyApplication::config_dir_path() const { return app_config(); }
QString MyApplication::data_dir_path() const { return app_config(); }
QString MyApplication::context_dir_path() const { return app_config() + "/context"; }

QString MyApplication::temp_dir_path() const
{
    return QStandardPaths::writableLocation(QStandardPaths::TempLocation) + "/qelo+";
}

QString MyApplication::run_path() const { return RunPath::get(); }
QString MyApplication::plugin_path() const { return RunPath::get() + "/plugins"; }

QString MyApplication::widgets_path() const
{
    const QString path = RunPath::get() + "/plugins" + "/widgets";
    qDebug() << path;
    return path;
}

QString MyApplication::dataengines_path() const { return RunPath::dataengines(); }
QString MyApplication::themes_path() const { return RunPath::get() + "/plugins" + "/themes"; }

QString MyApplication::version_dir() const
{
    return app_config() + "/" + QString::number(vnumber());
}

QString MyApplication::get_config_file(QString relative_path, QString filename, bool mkfile) const
{
    QDir dir(version_dir() + "/" + relative_path);
    if (!dir.exists() && mkfile)
        dir.mkpath(QStringLiteral("."));
    const QString path = QDir::cleanPath(dir.absolutePath());
    return filename.isEmpty() ? path : path + "/" + filename;
}

bool MyApplication::remove_config(QString relative_path, QString filename) const
{
    return QFile::remove(get_config_file(relative_path, filename, true));
}

bool MyApplication::write_config(QString relative_path, QString filename, QString content) const
{
    return write_file(get_config_file(relative_path, filename, true), content.toUtf8()).isEmpty();
}

QString MyApplication::write_file(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    // Truncating the file and writing it again would lose the whole old
    // content to a full disk or a kill half-way.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    if (file.write(bytes) != bytes.size() || !file.commit())
        return file.errorString();
    return QString();
}

QString MyApplication::read_config(QString relative_path, QString filename) const
{
    const QString root = app_config();
    if (!QDir(root).exists()) {
        QDir().mkpath(root);
        return QString();
    }
    const QString vdir = version_dir();
    const bool empty = !QDir(vdir).exists()
                       || QDir(vdir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System).size() == 2;
    if (empty) {
        const QStringList dirs = QDir(root).entryList(QDir::Dirs | QDir::Readable, QDir::Name);
        for (int i = dirs.size() - 1; i >= 0; --i) {
            const QString &name = dirs.at(i);
            if (name == QLatin1String(".") || name == QLatin1String(".."))
                continue;
            const int number = name.toInt();
            if (number >= minimum_vnumber() && number <= vnumber() - 1) {
                copyDirectory(root + "/" + name, vdir, true);
                break;
            }
            QDir().mkpath(vdir);
        }
    }
    const QDir sub(QDir::cleanPath(vdir + "/" + relative_path));
    if (!sub.exists() || filename.isEmpty() || !sub.exists(filename))
        return QString();
    QFile file(sub.absoluteFilePath(filename));
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}

bool MyApplication::copyDirectory(QString fromDir, QString toDir, bool bCoverIfFileExists) const
{
    const QDir source(fromDir);
    QDir target(toDir);
    if (!target.exists() && !target.mkdir(target.absolutePath()))
        return false;
    const QFileInfoList entries = source.entryInfoList();
    for (const QFileInfo &info : entries) {
        if (info.fileName() == QLatin1String(".") || info.fileName() == QLatin1String(".."))
            continue;
        const QString dest = target.filePath(info.fileName());
        if (info.isDir()) {
            if (!copyDirectory(info.filePath(), dest, bCoverIfFileExists))
                return false;
        } else {
            if (!bCoverIfFileExists && target.exists(info.fileName()))
                continue;
            if (target.exists(info.fileName()))
                target.remove(info.fileName());
            QFile::copy(info.filePath(), dest);
        }
    }
    return true;
}

QString MyApplication::newLineSymbol() const
{
    return QStringLiteral("\n[\\n]");
}

QString MyApplication::newLineSymbolReg() const
{
    return QStringLiteral("\n\\[\\\\n\\]");
}

QString MyApplication::hexToString(QString data, QString encoder) const
{
    data.remove(QRegularExpression(QStringLiteral("\\s")));
    if (data.isEmpty())
        return QString();
    data.replace(QLatin1String("%%"), QLatin1String("2525"));
    const QByteArray bytes = QByteArray::fromHex(data.toLatin1());
    QString text = codec_or_utf8(encoder.toLocal8Bit())->toUnicode(bytes);
    if (text.isEmpty())
        return QString();
    text.replace(QLatin1Char('\n'), newLineSymbol());
    text.replace(QLatin1Char('\r'), QLatin1String("\\r"));
    return text;
}

QString MyApplication::stringToHex(QString data, QString encoder) const
{
    data.replace(QLatin1String("\\r"), QLatin1String("\r"));
    data.replace(newLineSymbol(), QLatin1String("\n"));
    data.replace(QLatin1String("\\n"), QLatin1String("\n"));
    data.replace(QLatin1String("\\t"), QLatin1String("\t"));
    if (data.isEmpty())
        return QString();
    const QByteArray bytes = codec_or_utf8(encoder.toUtf8())->fromUnicode(data);
    if (bytes.isEmpty())
        return QString();
    QString hex = QString::fromLatin1(bytes.toHex(' ').toUpper());
    hex.replace(QLatin1String("25 25"), QLatin1String("%%"));
    return hex;
}

void MyApplication::set_cursor_shape(Qt::CursorShape shape)
{
    if (shape == cursor_shape_)
        return;
    cursor_shape_ = shape;
    emit cursor_shape_changed();
}

void MyApplication::set_cursor_shape_valid(bool valid)
{
    if (valid == cursor_shape_valid_)
        return;
    cursor_shape_valid_ = valid;
    emit cursor_shape_valid_changed();
}

void MyApplication::set_mono_font(const QString &font)
{
    mono_font_ = font;
    emit mono_font_changed();
}

void MyApplication::set_general_font(const QString &font)
{
    general_font_ = font;
    emit general_font_changed();
}

void MyApplication::set_initialized(bool value)
{
    initialized_ = value;
    emit initialized_changed();
}
