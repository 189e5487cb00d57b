#include "debugdemo.h"

#include <QCollator>
#include <QDebug>
#include <QDir>
#include <QLocale>
#include <QTimer>
#include <algorithm>

#include "datahub.h"
#include "debugdemoioslotsobj.h"

namespace {

QStringList sorted_files(const QString &dir, const QString &pattern)
{
    QStringList files = QDir(dir).entryList({pattern}, QDir::Files | QDir::Readable);
    // The C locale's collator compares plain code points and ignores the
    // numeric mode; any real language sorts 2 before 10.
    QLocale locale;
    if (locale.language() == QLocale::C)
        locale = QLocale(QLocale::English);
    QCollator collator(locale);
    collator.setNumericMode(true);
    std::sort(files.begin(), files.end(), collator);
    return files;
}

}

DebugDemo::DebugDemo(QObject *parent)
    : QObject(parent)
{
}

DebugDemo::~DebugDemo()
{
    shutdown();
}

void DebugDemo::set_link_connected(bool v)
{
    connected_ = v;
    emit connected_changed();
}

void DebugDemo::open()
{
    DebugWayInterface::open();
    set_link_connected(true);
}

void DebugDemo::close()
{
    DebugWayInterface::close();
    set_link_connected(false);
}

void DebugDemo::send(QByteArray datas)
{
    if (connected_) {
        report_sent(datas);
    } else if (DataHub *hub = datahub()) {
        hub->PutErrorData("DebugDemo - Socket unconnected.");
    }
}

void DebugDemo::initialization()
{
    DebugWayInterface::initialization();
    slots_obj_ = new DebugDemoIOSlotsObj(this);
    connect(tick_timer(), SIGNAL(timeout()), slots_obj_, SLOT(onTickTimeoutSlot()));

    const bool zezo = protocal() == QLatin1String("ZezoRovar");
    data_timer_ = new QTimer;
    if (zezo)
        connect(data_timer_, SIGNAL(timeout()), slots_obj_, SLOT(readyReadZezoRovarSlot()));
    else
        connect(data_timer_, SIGNAL(timeout()), slots_obj_, SLOT(readyReadZazuZavuvSlot()));
    data_timer_->setTimerType(Qt::PreciseTimer);
    if (send_csv_list_) {
        data_timer_->start(csv_timeout_);
        csv_files_ = sorted_files(csv_dir(), QStringLiteral("*.csv"));
        qDebug() << "csv_file_list:" << csv_files_.size();
    } else {
        data_timer_->start(timeout_);
    }

    if (send_picture_) {
        picture_timer_ = new QTimer;
        if (zezo)
            connect(picture_timer_, SIGNAL(timeout()), slots_obj_, SLOT(readyReadZezoRovarPicSlot()));
        else
            connect(picture_timer_, SIGNAL(timeout()), slots_obj_, SLOT(readyReadZazuZavuvPicSlot()));
        picture_timer_->start(picture_timeout_);
        picture_files_ = sorted_files(picture_dir(), QStringLiteral("*.jpg"));
        qDebug() << "jpg_file_list:" << picture_files_.size();
    }
}

void DebugDemo::deinitialization()
{
    DebugWayInterface::deinitialization();
    delete slots_obj_;
    slots_obj_ = nullptr;
    data_timer_->stop();
    delete data_timer_;
    data_timer_ = nullptr;
    if (picture_timer_) {
        picture_timer_->stop();
        delete picture_timer_;
        picture_timer_ = nullptr;
    }
}
