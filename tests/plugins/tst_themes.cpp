#include <QtTest>

#include <QColor>
#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>

#include "statefile.h"

// The themes installed with the program: each a theme file the program
// accepts, holding every colour member as a colour, and every text colour
// legible on every background it is drawn on (contrast at least 4.5:1).
class Tst_Themes : public QObject
{
    Q_OBJECT

    static double channel(double c) { return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); }
    static double luminance(const QColor &c)
    {
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
    }
    static double contrast(const QColor &a, const QColor &b)
    {
        const double la = luminance(a), lb = luminance(b);
        return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
    }
    static QStringList theme_files()
    {
        const QDir dir(qEnvironmentVariable("QELO_SOURCE_DIR") + "/plugins/themes");
        QStringList out;
        for (const QString &f : dir.entryList({"*.json"}, QDir::Files))
            out << dir.filePath(f);
        return out;
    }

private slots:
    void a_dark_and_a_light_theme_are_shipped()
    {
        const QStringList files = theme_files();
        QVERIFY(files.size() >= 2);
        bool dark = false, light = false;
        for (const QString &f : files) {
            StateFile reader;
            const QVariantMap answer = reader.read(f, "theme", false);
            const QColor bg(answer["ctx"].toMap()["."].toMap()["bgColor"].toString());
            dark = dark || luminance(bg) < 0.1;
            light = light || luminance(bg) > 0.8;
        }
        QVERIFY(dark && light);
    }

    void every_member_is_there_and_a_colour()
    {
        const QStringList colours = {"goodColor", "badColor", "iconColor1", "iconColor2", "iconColor3",
            "iconSColor1", "iconSColor2", "iconSColor3", "objColor", "bgColor", "mainColor", "barColor",
            "lightColor", "lineColor", "lineColorMain", "fontColor", "fontColorTips", "fontColorBar",
            "cbColor1", "cbColor2", "cbColor3", "cbColor4"};
        const QRegularExpression colour("^#([0-9a-fA-F]{6}|[0-9a-fA-F]{8})$");
        const QRegularExpression sgr("^\\d{1,3}(;\\d{1,3})*$");
        for (const QString &f : theme_files()) {
            StateFile reader;
            const QVariantMap answer = reader.read(f, "theme", false);
            QCOMPARE(answer["status"].toString(), QStringLiteral("ok"));
            const QVariantMap members = answer["ctx"].toMap()["."].toMap();
            for (const QString &m : colours)
                QVERIFY2(colour.match(members[m].toString()).hasMatch(), qPrintable(f + ": " + m));
            for (const char *m : {"textAnsiTime", "textAnsiRx", "textAnsiTx", "textAnsiErr"})
                QVERIFY2(sgr.match(members[m].toString()).hasMatch(), qPrintable(f + ": " + m));
        }
    }

    void every_text_is_legible_on_its_backgrounds()
    {
        // Colours the window draws text in, and what it draws them on.
        const QStringList texts = {"fontColor", "fontColorBar", "fontColorTips", "mainColor", "goodColor", "badColor",
                                   "iconColor1"};
        const QStringList grounds = {"bgColor", "objColor", "barColor"};
        QList<QPair<QString, QString>> pairs;
        for (const QString &t : texts)
            for (const QString &g : grounds)
                pairs.append(qMakePair(t, g));
        // Selected and hovered rows.
        pairs.append(qMakePair(QStringLiteral("fontColor"), QStringLiteral("lightColor")));
        pairs.append(qMakePair(QStringLiteral("mainColor"), QStringLiteral("lightColor")));
        for (const QString &f : theme_files()) {
            StateFile reader;
            const QVariantMap members = reader.read(f, "theme", false)["ctx"].toMap()["."].toMap();
            for (const auto &p : pairs) {
                const double c = contrast(QColor(members[p.first].toString()), QColor(members[p.second].toString()));
                QVERIFY2(c >= 4.5, qPrintable(QStringLiteral("%1: %2 on %3 is %4:1")
                                                  .arg(QFileInfo(f).fileName(), p.first, p.second)
                                                  .arg(c, 0, 'f', 2)));
            }
        }
    }
};

QTEST_MAIN(Tst_Themes)
#include "tst_themes.moc"
