#pragma once
#include <QString>
#include <QWidget>

namespace tarvelon {

// The program's licence (GPL-3.0-or-later) and the notices of the software built into it,
// as the installation carries them, shown from the about box.
class NoticesWindow : public QWidget {
    Q_OBJECT
public:
    explicit NoticesWindow(QWidget* parent = nullptr);

    // The notices, then the full licence text.
    static QString text();
};

} // namespace tarvelon
