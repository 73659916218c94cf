#pragma once
#include <QWidget>

#include <functional>

class QLabel;
class QTimer;

namespace tarvelon {

// The splash window: shown first, it closes itself after 2 s and hands over to the main
// window.
class SplashScreen : public QWidget {
    Q_OBJECT
public:
    static constexpr int kShowMs = 2000;

    explicit SplashScreen(std::function<void()> showMainWindow, QWidget* parent = nullptr);

    QLabel* versionLabel() const { return version_; }
    QLabel* descriptionLabel() const { return description_; }
    QTimer* timer() const { return timer_; }

private:
    void onTimer();
    void placeLabels();

    std::function<void()> showMainWindow_;
    QLabel* version_ = nullptr;
    QLabel* description_ = nullptr;
    QTimer* timer_ = nullptr;
};

// The picture of the splash window, drawn rather than shipped as a file.
QPixmap splashPicture(const QSize& size);

} // namespace tarvelon
