#pragma once
#include <QWidget>

class QLabel;

namespace tarvelon {

// The wait indicator under the pages: "WAIT DATA TRANSMISSION ONGOING" (Label34) inside a
// rounded shape (Shape1), both shown and hidden together. Its place stays free while it is
// hidden, so nothing moves when it appears.
class WaitIndicator : public QWidget {
    Q_OBJECT
public:
    explicit WaitIndicator(QWidget* parent);

    void showIndicator(bool shown);
    bool indicatorShown() const;

private:
    QWidget* shape_ = nullptr;
    QLabel* label_ = nullptr;
};

} // namespace tarvelon
