#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// Launches the real program on the test's X display and checks that its
// main window comes up with the scene loaded and no QML errors.
class Tst_Startup : public QObject
{
    Q_OBJECT
private slots:
    void mainWindowIsShown()
    {
        const QString program = qEnvironmentVariable("QELO_BUILD_DIR") + "/qelo";
        QVERIFY(QFile::exists(program));
        QTemporaryDir dir;
        const QString shot = dir.path() + "/main.png";
        QProcess qelo;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_CONFIG_HOME", dir.path() + "/config");
        env.remove("QT_QPA_PLATFORM");
        qelo.setProcessEnvironment(env);
        qelo.setWorkingDirectory(dir.path());
        qelo.start(program, {"--screenshot", shot});
        QVERIFY(qelo.waitForFinished(60000));
        const QByteArray out = qelo.readAllStandardOutput();
        const QByteArray err = qelo.readAllStandardError();
        QVERIFY2(qelo.exitStatus() == QProcess::NormalExit && qelo.exitCode() == 0, err.constData());
        QCOMPARE(out.trimmed(), shot.toLocal8Bit());
        for (const char *bad : {"Error", "is not defined", "TypeError", "Cannot assign", "not installed"})
            QVERIFY2(!err.contains(bad), err.constData());
        QImage image(shot);
        QVERIFY(!image.isNull());
        QVERIFY(image.width() >= 800 && image.height() >= 500);
        // The scene really rendered: panels, texts and icons give many
        // colours, and the title bar differs from the window body.
        QSet<QRgb> colours;
        for (int y = 0; y < image.height(); y += 3)
            for (int x = 0; x < image.width(); x += 3)
                colours.insert(image.pixel(x, y));
        QVERIFY2(colours.size() > 40, qPrintable(QString::number(colours.size())));
        const QColor title = image.pixelColor(image.width() / 3, 20);
        const QColor body = image.pixelColor(image.width() / 2, image.height() / 2);
        QVERIFY(title != body);
    }
};

QTEST_MAIN(Tst_Startup)
#include "tst_startup.moc"
