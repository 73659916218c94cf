#pragma once
#include <QDialog>
#include <QString>

class QLineEdit;

namespace tarvelon {

// "Sync": which other library this computer's is synced with, a file chosen or a connection
// typed; then the sync itself, in the background with a progress box that can stop it.
class SyncBox : public QDialog {
    Q_OBJECT
public:
    SyncBox(const QString& startFolder, QWidget* parent = nullptr);
    // The library the box starts with, e.g. the server chosen with "Library...".
    void offer(const QString& library);
    QString otherLibrary() const;

    // Syncs `here` with `other` (this one's surveys and corrections sent, tube settings both
    // ways) without freezing `parent`; what happened, as the closing box says it. `failed` is
    // set when it stopped before its end.
    static QString run(QWidget* parent, const QString& here, const QString& other, bool* failed);

private:
    QLineEdit* other_ = nullptr;
};

} // namespace tarvelon
