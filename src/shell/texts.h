#pragma once
#include <QCoreApplication>

// The one context the window's texts and the Qt-free layers' messages are translated in, so a
// word the operator meets in two places is translated once: Texts::tr("Folder").
class Texts {
    Q_DECLARE_TR_FUNCTIONS(Texts)
};
