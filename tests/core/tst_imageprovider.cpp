#include <QApplication>
#include <QBuffer>
#include <QtTest>

#include "colorimageprovider.h"
#include "datahub.h"
#include "engines/scriptedengine.h"
#include "imageprovider.h"

// Decoded pictures through the hub and the "data" provider, and tinted
// icons through the "color" provider.
class Tst_ImageProvider : public QObject
{
    Q_OBJECT
    DataHub hub_;
    ScriptedEngine *engine_ = nullptr;
    QImage placeholder_;

    Image &record()
    {
        engine_->image_pool.emplace_back();
        engine_->images.append(&engine_->image_pool.back());
        return engine_->image_pool.back();
    }

private slots:
    void initTestCase()
    {
        placeholder_ = hub_.image(0); // no engine yet
        QVERIFY(!placeholder_.isNull());
        QVERIFY(placeholder_ == QImage(":/content/place_holder_img.png"));
        DataEngineLoader *loader = hub_.data_engine_loader();
        loader->set_directory(qEnvironmentVariable("QELO_TEST_ENGINE_DIR"));
        loader->loadEngines();
        loader->selectEngine(loader->name_list().indexOf("ScriptedEngine"));
        engine_ = static_cast<ScriptedEngine *>(loader->engine());
        QVERIFY(engine_);
        engine_->images.clear();
        engine_->image_pool.clear();
    }

    void encodedAndRawRecords()
    {
        QImage src(3, 2, QImage::Format_ARGB32);
        src.fill(qRgba(10, 20, 30, 255));
        QByteArray png;
        QBuffer buf(&png);
        buf.open(QIODevice::WriteOnly);
        src.save(&buf, "PNG");
        Image &a = record();
        a.data = png + "trailing bytes beyond size";
        a.size = png.size();
        a.format = ImagePNG;
        QCOMPARE(hub_.image(0).size(), QSize(3, 2));
        QCOMPARE(hub_.image(0).pixel(1, 1), qRgba(10, 20, 30, 255));

        Image &b = record();
        b.data = QByteArray(16, '\x7f');
        b.size = 16;
        b.format = QImage::Format_RGB32;
        b.width = 2;
        b.height = 2;
        const QImage raw = hub_.image(1);
        QCOMPARE(raw.size(), QSize(2, 2));
        QCOMPARE(raw.format(), QImage::Format_RGB32);
        b.data.fill('\x01'); // the picture owns its pixels
        QCOMPARE(raw.pixel(0, 0), qRgb(0x7f, 0x7f, 0x7f));
    }

    void badRecordsGiveThePlaceholder()
    {
        Image &short_raw = record(); // 2x2 32-bit needs 16 bytes
        short_raw.data = QByteArray(15, 'x');
        short_raw.size = 15;
        short_raw.format = QImage::Format_RGB32;
        short_raw.width = 2;
        short_raw.height = 2;
        Image &junk = record();
        junk.data = "not a png";
        junk.size = 9;
        junk.format = ImagePNG;
        Image &empty = record();
        empty.format = ImageJPG;
        Image &unknown = record();
        unknown.data = QByteArray(64, 'x');
        unknown.size = 64;
        unknown.format = 99;
        unknown.width = unknown.height = 2;
        // Sizes whose byte count does not fit in 64 bits.
        Image &huge = record();
        huge.data = QByteArray(64, 'x');
        huge.size = 64;
        huge.format = QImage::Format_ARGB32;
        huge.width = huge.height = INT32_MAX;
        const int n = engine_->images.size();
        for (int i : {n - 5, n - 4, n - 3, n - 2, n - 1, n, -1, 100000})
            QVERIFY2(hub_.image(i) == placeholder_, qPrintable(QString::number(i)));
    }

    void dataProviderIds()
    {
        ImageProvider provider(&hub_);
        QSize size;
        QCOMPARE(provider.requestPixmap("0", &size, QSize(5, 5)).size(), QSize(3, 2));
        QCOMPARE(size, QSize(100, 50));
        // Not a number reads as index 0.
        QCOMPARE(provider.requestPixmap("abc", nullptr, QSize()).size(), QSize(3, 2));
        QCOMPARE(provider.requestPixmap("1", nullptr, QSize()).size(), QSize(2, 2));
    }

    void colourProvider()
    {
        QTemporaryDir dir;
        QImage icon(24, 24, QImage::Format_ARGB32);
        icon.fill(Qt::transparent);
        for (int y = 8; y < 16; ++y)
            for (int x = 8; x < 16; ++x)
                icon.setPixel(x, y, qRgba(0, 0, 255, 255));
        const QString path = dir.path() + "/sub dir/icon.png";
        QDir().mkpath(dir.path() + "/sub dir");
        QVERIFY(icon.save(path));

        ColorImageProvider provider;
        const QImage red = provider.requestPixmap("#FF0000//" + path, nullptr, QSize()).toImage();
        QCOMPARE(red.size(), QSize(24, 24));
        const QColor centre = red.pixelColor(12, 12);
        QVERIFY(centre.red() > 200 && centre.blue() < 50);
        // The shadow of the default colour shows around the shape.
        const QColor halo = red.pixelColor(6, 12);
        QVERIFY(halo.alpha() > 0);
        QVERIFY(halo.red() > 150 && halo.green() > 150);

        const QImage kept = provider.requestPixmap("/#000000/" + path, nullptr, QSize()).toImage();
        QVERIFY(kept.pixelColor(12, 12).blue() > 200);
        const QColor dark = kept.pixelColor(6, 12);
        QVERIFY(dark.alpha() > 0 && dark.red() < 60);

        QVERIFY(provider.requestPixmap("noslashes", nullptr, QSize()).isNull());
        QVERIFY(provider.requestPixmap("#FF0000/x", nullptr, QSize()).isNull());
        QVERIFY(provider.requestPixmap("#FF0000//" + dir.path() + "/missing.png", nullptr, QSize()).isNull());
        // A resource path keeps its slashes.
        QVERIFY(!provider.requestPixmap("#00FF00//:/content/place_holder_img.png", nullptr, QSize()).isNull());
    }
};

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    Tst_ImageProvider t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_imageprovider.moc"
