#include "shell/splash_screen.h"
#include "shell/texts.h"

#include "shell/maker.h"

#include <QLabel>
#include <QPalette>
#include <QLinearGradient>
#include <QPainter>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QTimer>

namespace tarvelon {

namespace {

// Where the title is drawn and where the labels may go: left of the measuring tube.
QRect titleRect(const QSize& size)
{
    return QRect(30, size.height() / 10, size.width() * 7 / 8 - 60, size.height() / 6);
}

} // namespace

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
    // The title belongs to the picture, so it keeps its size in pixels whatever the font
    // resolution; a point size would run it into the tube on a large-font desktop.
    QFont title = p.font();
    title.setPixelSize(size.height() / 10);
    title.setBold(true);
    p.setFont(title);
    p.drawText(titleRect(size), Qt::AlignLeft | Qt::AlignVCenter, "Tarvelon Manager");
    return pix;
}

SplashScreen::SplashScreen(std::function<void()> showMainWindow, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint), showMainWindow_(std::move(showMainWindow))
{
    setObjectName("preloader");
    setWindowTitle("Tarvelon Manager");
    setFixedSize(600, 400);

    auto* picture = new QLabel(this);
    picture->setObjectName("Image1");
    picture->setGeometry(0, 0, 600, 400);
    picture->setPixmap(splashPicture(size()));

    // The labels are drawn on the picture, so they are its children.
    QPalette onPicture = palette();
    onPicture.setColor(QPalette::WindowText, Qt::white);
    auto makeLabel = [&](const char* name, qreal pointSize) {
        auto* label = new QLabel(picture);
        label->setObjectName(name);
        label->setTextFormat(Qt::PlainText);
        label->setPalette(onPicture);
        QFont f = label->font();
        f.setPointSizeF(pointSize);
        label->setFont(f);
        return label;
    };
    description_ = makeLabel("lblProductName", 12);
    description_->setWordWrap(true);
    version_ = makeLabel("lblVersion", 11);

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    timer_ = new QTimer(this);
    timer_->setObjectName("Timer1");
    connect(timer_, &QTimer::timeout, this, &SplashScreen::onTimer);

    // 1. On load: the timer, the version and the description.
    timer_->setTimerType(Qt::PreciseTimer);
    timer_->setInterval(kShowMs);
    timer_->start();
    version_->setText(QString::number(maker::kVersionMajor) + "." + QString::number(maker::kVersionMinor));
    description_->setText(Texts::tr(maker::kDescription));
    placeLabels();
}

void SplashScreen::placeLabels()
{
    // Below the title, one under the other, each as tall as its text needs in this font.
    const QRect free = titleRect(size());
    const int width = free.width();
    description_->setGeometry(free.left(), free.bottom() + 10, width, description_->heightForWidth(width));
    version_->setGeometry(free.left(), description_->geometry().bottom() + 8, width, version_->sizeHint().height());
}

void SplashScreen::onTimer()
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
