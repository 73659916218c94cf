#include "shell/window_placement.h"

#include "shell/remembered_choices.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QSplitter>
#include <QWidget>

#include <algorithm>

namespace tarvelon {
namespace {

// Room left for the title bar and borders the window system adds.
constexpr int kFrameWidth = 16;
constexpr int kFrameHeight = 40;

class Placement : public QObject {
public:
    Placement(QWidget* window, RememberedChoices& remembered, QSize wanted)
        : QObject(window), window_(window), remembered_(remembered), wanted_(wanted)
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == window_ && event->type() == QEvent::Show && !placed_) {
            placed_ = true;
            place();
        } else if (watched == window_ && (event->type() == QEvent::Close || event->type() == QEvent::Hide)) {
            keep();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QString name() const { return window_->objectName(); }

    // The window's splitters by their names, or by their place among them when unnamed.
    QList<std::pair<QString, QSplitter*>> splitters() const
    {
        QList<std::pair<QString, QSplitter*>> out;
        const QList<QSplitter*> all = window_->findChildren<QSplitter*>();
        for (qsizetype i = 0; i < all.size(); ++i)
            out.append({name() + QLatin1Char('/') +
                            (all[i]->objectName().isEmpty() ? QStringLiteral("splitter%1").arg(i) : all[i]->objectName()),
                        all[i]});
        return out;
    }

    void place()
    {
        const QSize room = roomOnScreen(window_);
        const bool restored = window_->restoreGeometry(remembered_.layout(name() + QStringLiteral("/geometry")));
        if (!restored || window_->width() > room.width() || window_->height() > room.height()) {
            window_->resize(wanted_.boundedTo(room).expandedTo(window_->minimumSize()));
            if (const QScreen* screen = window_->screen()) {
                QRect r = window_->frameGeometry();
                r.moveCenter(screen->availableGeometry().center());
                const QPoint topLeft = screen->availableGeometry().topLeft();
                window_->move(std::max(r.left(), topLeft.x()), std::max(r.top(), topLeft.y()));
            }
        }
        for (const auto& [key, splitter] : splitters())
            splitter->restoreState(remembered_.layout(key));
    }

    void keep()
    {
        if (!placed_)
            return;
        remembered_.keepLayout(name() + QStringLiteral("/geometry"), window_->saveGeometry());
        for (const auto& [key, splitter] : splitters())
            remembered_.keepLayout(key, splitter->saveState());
    }

    QWidget* window_;
    RememberedChoices& remembered_;
    QSize wanted_;
    bool placed_ = false;
};

} // namespace

QSize roomOnScreen(const QWidget* window)
{
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return {1024, 700};
    return screen->availableGeometry().size() - QSize(kFrameWidth, kFrameHeight);
}

void centreOver(QWidget* window, const QWidget* owner, QSize wanted)
{
    const QScreen* screen = owner && owner->screen() ? owner->screen() : QGuiApplication::primaryScreen();
    const QSize room = roomOnScreen(owner ? owner : window);
    window->resize(wanted.boundedTo(room).expandedTo(window->minimumSizeHint().boundedTo(room)));
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    // Frame and client area as the window will have them once shown.
    QRect r(QPoint(0, 0), window->size() + QSize(kFrameWidth, kFrameHeight));
    r.moveCenter(owner ? owner->frameGeometry().center() : area.center());
    r.moveLeft(std::clamp(r.left(), area.left(), std::max(area.left(), area.right() + 1 - r.width())));
    r.moveTop(std::clamp(r.top(), area.top(), std::max(area.top(), area.bottom() + 1 - r.height())));
    window->move(r.topLeft());
}

void placeWindow(QWidget* window, RememberedChoices& remembered, QSize wanted)
{
    new Placement(window, remembered, wanted);
}

} // namespace tarvelon
