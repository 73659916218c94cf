#pragma once
#include <QObject>
#include <QSize>

class QWidget;

namespace tarvelon {

class RememberedChoices;

// Gives `window` its first size, `wanted` or what the screen it opens on can hold, centred
// there; or the size and place it had when last closed, as long as they still fit. What it
// has when closed, with the sizes of its splitters, is kept in `remembered`.
void placeWindow(QWidget* window, RememberedChoices& remembered, QSize wanted);

// Gives `window` the size `wanted`, or what the screen can hold, centred over `owner` and moved
// wholly onto the owner's screen, its frame included.
void centreOver(QWidget* window, const QWidget* owner, QSize wanted);

// The largest size a window may be given on the screen it opens on, its frame included.
QSize roomOnScreen(const QWidget* window);

} // namespace tarvelon
