#include "shell/preloader.h"

#include "shell/maker.h"

#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QTimer>

namespace tarvelon {

QPixmap splashPicture(const QSize& size)
{
    QPixmap pix(size);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, QColor(22, 58, 94));
    sky.setColorAt(1, QColor(10, 26, 44));
    p.fillRect(pix.rect(), sky);
    // A measuring tube going down into the ground, with the probe on its way.
    const int ground = size.height() * 11 / 20;
    p.fillRect(QRect(0, ground, size.width(), size.height() - ground), QColor(92, 70, 48));
    const int tubeX = size.width() * 7 / 8;
    p.setPen(QPen(QColor(210, 210, 210), 6));
    p.drawLine(tubeX - 12, ground - 30, tubeX - 12, size.height() - 20);
    p.drawLine(tubeX + 12, ground - 30, tubeX + 12, size.height() - 20);
    p.setBrush(QColor(240, 170, 40));
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRect(tubeX - 8, ground + 60, 16, 60), 6, 6);
    p.setPen(QColor(255, 255, 255));
    QFont title = p.font();
    title.setPointSize(30);
    title.setBold(true);
    p.setFont(title);
    p.drawText(QRect(30, 40, size.width() - 60, 60), Qt::AlignLeft | Qt::AlignVCenter, "Tarvelon Manager");
    return pix;
}

Preloader::Preloader(std::function<void()> showMainWindow, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint), showMainWindow_(std::move(showMainWindow))
{
    setObjectName("preloader");
    setWindowTitle("Tarvelon Manager");
    setFixedSize(600, 400);

    auto* picture = new QLabel(this);
    picture->setObjectName("Image1");
    picture->setGeometry(0, 0, 600, 400);
    picture->setPixmap(splashPicture(size()));

    const QString style = "color: white; background: transparent;";
    description_ = new QLabel(this);
    description_->setObjectName("lblProductName");
    description_->setStyleSheet(style + "font-size: 12pt;");
    description_->setGeometry(30, 100, 480, 40);
    description_->setWordWrap(true);
    version_ = new QLabel(this);
    version_->setObjectName("lblVersion");
    version_->setStyleSheet(style + "font-size: 11pt;");
    version_->setGeometry(30, 150, 200, 30);

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    timer_ = new QTimer(this);
    timer_->setObjectName("Timer1");
    connect(timer_, &QTimer::timeout, this, &Preloader::onTimer);

    // 1. On load: the timer, the version and the description.
    timer_->setTimerType(Qt::PreciseTimer);
    timer_->setInterval(kShowMs);
    timer_->start();
    version_->setText(QString::number(maker::kVersionMajor) + "." + QString::number(maker::kVersionMinor));
    description_->setText(maker::kDescription);
}

void Preloader::onTimer()
{
    // 2. Closes itself and shows the main window, once.
    if (timer_->interval() != kShowMs)
        return;
    timer_->stop();
    close();
    if (showMainWindow_)
        showMainWindow_();
}

} // namespace tarvelon
