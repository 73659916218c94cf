#pragma once
#include <QWidget>

namespace tarvelon {

class Desktop;

// The about box: what the program is, who makes it, and how to reach them.
class AboutBox : public QWidget {
    Q_OBJECT
public:
    explicit AboutBox(Desktop& desktop, QWidget* parent = nullptr);
};

} // namespace tarvelon
