#pragma once
#include <QString>
#include <QWidget>

namespace tarvelon {

class Desktop;

// "Program version 1.1, build 3f2a1bc of 2026-12-08": the version and the commit it was built from.
QString programVersion();

// The about box: what the program is, who makes it, and how to reach them.
class AboutBox : public QWidget {
    Q_OBJECT
public:
    explicit AboutBox(Desktop& desktop, QWidget* parent = nullptr);
};

} // namespace tarvelon
