#include "statefile.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJSValue>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <cmath>

#include "myapplication.h"

namespace {

constexpr int writer_vnumber() { return MyApplication::kVnumber; }
constexpr int oldest_vnumber() { return MyApplication::kMinimumVnumber; }

QVariantMap refused(const QString &message)
{
    return {{QStringLiteral("status"), QStringLiteral("refused")}, {QStringLiteral("message"), message}};
}

}

StateFile::StateFile(QObject *parent) : QObject(parent) {}

QJsonValue StateFile::to_json(const QVariant &value)
{
    if (value.userType() == qMetaTypeId<QJSValue>())
        return to_json(value.value<QJSValue>().toVariant());
    switch (int(value.type())) {
    case QVariant::Map: {
        QJsonObject object;
        const QVariantMap map = value.toMap();
        for (auto it = map.cbegin(); it != map.cend(); ++it)
            object.insert(it.key(), to_json(it.value()));
        return object;
    }
    case QVariant::List:
    case QVariant::StringList: {
        QJsonArray array;
        for (const QVariant &v : value.toList())
            array.append(to_json(v));
        return array;
    }
    case QVariant::Color: {
        const QColor c = value.value<QColor>();
        return c.name(c.alpha() == 255 ? QColor::HexRgb : QColor::HexArgb);
    }
    case QVariant::Double: {
        // JSON has no NaN or infinity; such a value is left out as null.
        const double d = value.toDouble();
        return std::isfinite(d) ? QJsonValue(d) : QJsonValue();
    }
    default:
        return QJsonValue::fromVariant(value);
    }
}

QByteArray StateFile::envelope(const QString &type, const QVariant &ctx)
{
    QJsonObject root;
    root.insert(QStringLiteral("type"), type);
    root.insert(QStringLiteral("vnumber"), writer_vnumber());
    root.insert(QStringLiteral("ctx"), to_json(ctx));
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

QVariantMap StateFile::read(const QString &path, const QString &type, bool keep_refused)
{
    const QVariantMap missing{{QStringLiteral("status"), QStringLiteral("missing")}};
    QFileInfo info(path);
    if (!info.exists() || info.size() == 0)
        return missing;

    QVariantMap answer;
    if (info.size() > kMaxBytes) {
        answer = refused(tr("文件太大，无法加载。") + "\n\n" + path);
    } else {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return refused(tr("文件打开失败") + "\n\n" + path);
        const QByteArray text = file.readAll();
        if (text.trimmed().isEmpty())
            return missing;
        QJsonParseError error{};
        const QJsonDocument doc = QJsonDocument::fromJson(text, &error);
        const QJsonObject root = doc.object();
        const QJsonValue vnumber = root.value(QStringLiteral("vnumber"));
        const QJsonValue file_type = root.value(QStringLiteral("type"));
        if (error.error != QJsonParseError::NoError) {
            answer = refused(tr("文件不是有效的JSON，无法加载。") + "\n\n" + path + "\n\n" + error.errorString()
                             + " @" + QString::number(error.offset));
        } else if (!doc.isObject() || !vnumber.isDouble() || !file_type.isString()
                   || !root.contains(QStringLiteral("ctx"))) {
            answer = refused(tr("文件不是配置文件，无法加载。") + "\n\n" + path);
        } else if (vnumber.toDouble() < oldest_vnumber() || vnumber.toDouble() > writer_vnumber()) {
            const QString head = vnumber.toDouble() < oldest_vnumber() ? tr("脚本版本太旧，无法加载。")
                                                                       : tr("脚本版本太新，无法加载。");
            answer = refused(head + "\n\n" + path + "\n\n" + tr("要求版本: ") + QString::number(oldest_vnumber())
                             + "~" + QString::number(writer_vnumber()) + ", " + tr("此脚本版本: ")
                             + QString::number(vnumber.toDouble()));
        } else if (!type.split(' ', Qt::SkipEmptyParts).contains(file_type.toString())) {
            answer = refused(tr("脚本类型不对，无法加载。") + "\n\n" + path + "\n\n" + tr("要求类型: ") + type
                             + tr(", 当前类型: ") + file_type.toString());
        } else {
            return {{QStringLiteral("status"), QStringLiteral("ok")},
                    {QStringLiteral("type"), file_type.toString()},
                    {QStringLiteral("ctx"), root.value(QStringLiteral("ctx")).toVariant()}};
        }
    }
    if (keep_refused) {
        const QString bad = path + QStringLiteral(".bad");
        QFile::remove(bad);
        QFile::copy(path, bad);
    }
    return answer;
}

QString StateFile::write(const QString &path, const QString &type, const QVariant &ctx)
{
    return MyApplication::write_file(path, envelope(type, ctx));
}
