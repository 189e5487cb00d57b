#include <QtTest>

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>

#include "qmlfiledialog.h"
#include "typeregistry.h"

namespace {

struct Request
{
    QMLFileDialog::Kind kind;
    QString caption, dir, filter;
};

// Answers the next file dialog that appears, from inside its event loop.
void answer_dialog_later(std::function<void(QFileDialog *)> act)
{
    auto *poll = new QTimer();
    QObject::connect(poll, &QTimer::timeout, [poll, act]() {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            auto *dialog = qobject_cast<QFileDialog *>(w);
            if (dialog && dialog->isVisible()) {
                poll->stop();
                poll->deleteLater();
                act(dialog);
                return;
            }
        }
    });
    poll->start(20);
}

}

class Tst_QMLFileDialog : public QObject
{
    Q_OBJECT

    QList<Request> requests_;
    QString answer_;

    void record()
    {
        requests_.clear();
        QMLFileDialog::set_chooser([this](QMLFileDialog::Kind kind, const QString &caption, const QString &dir,
                                          const QString &filter) {
            requests_.append({kind, caption, dir, filter});
            return answer_;
        });
    }

private slots:
    void cleanup() { QMLFileDialog::set_chooser(nullptr); }

    void eachModeAsksForTheRightDialog_data()
    {
        QTest::addColumn<bool>("save");
        QTest::addColumn<bool>("directory");
        QTest::addColumn<int>("kind");
        QTest::newRow("open") << false << false << int(QMLFileDialog::Kind::OpenFile);
        QTest::newRow("save") << true << false << int(QMLFileDialog::Kind::SaveFile);
        QTest::newRow("directory") << false << true << int(QMLFileDialog::Kind::Directory);
        QTest::newRow("directory wins over save") << true << true << int(QMLFileDialog::Kind::Directory);
    }
    void eachModeAsksForTheRightDialog()
    {
        QFETCH(bool, save);
        QFETCH(bool, directory);
        QFETCH(int, kind);
        record();
        answer_ = QStringLiteral("/data/目录 x/chosen file.csv");
        QMLFileDialog dialog;
        QSignalSpy changed(&dialog, &QMLFileDialog::file_url_changed);
        dialog.open("Caption", "/start", "CSV (*.csv)", save, directory);
        QCOMPARE(requests_.size(), 1);
        QCOMPARE(int(requests_.at(0).kind), kind);
        QCOMPARE(requests_.at(0).caption, QStringLiteral("Caption"));
        QCOMPARE(requests_.at(0).dir, QStringLiteral("/start"));
        QCOMPARE(requests_.at(0).filter, QStringLiteral("CSV (*.csv)"));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(dialog.file_url(), answer_);
        QCOMPARE(dialog.file_name(), QStringLiteral("chosen file.csv"));
    }

    void captionOnlyOpensFileDialogWithDefaults()
    {
        record();
        answer_.clear();
        QMLFileDialog dialog;
        dialog.open("Only caption");
        QCOMPARE(requests_.size(), 1);
        QCOMPARE(requests_.at(0).kind, QMLFileDialog::Kind::OpenFile);
        QCOMPARE(requests_.at(0).dir, QString());
        QCOMPARE(requests_.at(0).filter, QString());
    }

    void cancelKeepsPreviousChoice()
    {
        record();
        QMLFileDialog dialog;
        answer_ = "/a/first.txt";
        dialog.open();
        QSignalSpy changed(&dialog, &QMLFileDialog::file_url_changed);
        answer_.clear();
        dialog.open("again");
        QCOMPARE(changed.count(), 0);
        QCOMPARE(dialog.file_url(), QStringLiteral("/a/first.txt"));
        QCOMPARE(dialog.file_name(), QStringLiteral("first.txt"));
    }

    void fileSelected_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("name");
        QTest::newRow("path") << "/home/u/my data.csv" << "my data.csv";
        QTest::newRow("drive") << "C:/Users/ü/文件.txt" << "文件.txt";
        QTest::newRow("no slash") << "bare.txt" << "bare.txt";
        QTest::newRow("directory with slash") << "/home/u/" << "";
        QTest::newRow("empty") << "" << "";
    }
    void fileSelected()
    {
        QFETCH(QString, file);
        QFETCH(QString, name);
        QMLFileDialog dialog;
        QSignalSpy changed(&dialog, &QMLFileDialog::file_url_changed);
        dialog.on_file_selected(file);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(dialog.file_url(), file);
        QCOMPARE(dialog.file_name(), name);
    }

    void platformDialogChoosesAndCancels()
    {
        QTemporaryDir tmp;
        const QString path = tmp.path() + QStringLiteral("/picked ü.txt");
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();

        QMLFileDialog dialog;
        QFileDialog::FileMode mode = QFileDialog::AnyFile;
        QFileDialog::AcceptMode accept = QFileDialog::AcceptSave;
        answer_dialog_later([&](QFileDialog *d) {
            mode = d->fileMode();
            accept = d->acceptMode();
            // The name goes straight into the name field: selectFile() only
            // takes effect once the dialog has read the directory, which a
            // busy machine may not have done yet.
            if (auto *name = d->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")))
                name->setText(path);
            else
                d->selectFile(path);
            static_cast<QDialog *>(d)->accept();
        });
        dialog.open("Pick one", tmp.path());
        QCOMPARE(dialog.file_url(), path);
        QCOMPARE(dialog.file_name(), QStringLiteral("picked ü.txt"));
        QCOMPARE(mode, QFileDialog::ExistingFile);
        QCOMPARE(accept, QFileDialog::AcceptOpen);

        QSignalSpy changed(&dialog, &QMLFileDialog::file_url_changed);
        bool dirs_only = false;
        answer_dialog_later([&](QFileDialog *d) {
            mode = d->fileMode();
            dirs_only = d->testOption(QFileDialog::ShowDirsOnly);
            d->reject();
        });
        dialog.open("Pick a folder", tmp.path(), QString(), false, true);
        // A folder picker that shows only folders reports the old folder-only
        // mode; the option says the same without it.
        QVERIFY(mode == QFileDialog::Directory || dirs_only);
        QCOMPARE(changed.count(), 0);
        QCOMPARE(dialog.file_url(), path);

        answer_dialog_later([&](QFileDialog *d) {
            accept = d->acceptMode();
            d->reject();
        });
        dialog.open("Save as", tmp.path(), "Text (*.txt)", true);
        QCOMPARE(accept, QFileDialog::AcceptSave);
        QCOMPARE(changed.count(), 0);
    }

    void openFromQmlWithOmittedArguments()
    {
        TypeRegistry::registerAll();
        record();
        answer_ = "/q/from qml.json";
        QQmlEngine engine;
        QQmlComponent component(&engine);
        component.setData("import QtQml 2.15\nimport mine.qt.QMLFileDialog 1.0\n"
                          "QMLFileDialog { property string got: file_name\n"
                          "  Component.onCompleted: open(\"From QML\") }",
                          QUrl());
        QScopedPointer<QObject> object(component.create());
        QVERIFY2(object, qPrintable(component.errorString()));
        QCOMPARE(requests_.size(), 1);
        QCOMPARE(requests_.at(0).caption, QStringLiteral("From QML"));
        QCOMPARE(object->property("got").toString(), QStringLiteral("from qml.json"));
    }
};

QTEST_MAIN(Tst_QMLFileDialog)
#include "tst_qmlfiledialog.moc"
