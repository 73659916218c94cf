#pragma once
#include <QGroupBox>
#include <QList>

namespace tarvelon {

// The "Download Data" page (Frame2): the block to download with its "-" and "+", the export
// file name, the block's RAM address, "Folder" and "Ok". Hidden boxes carry the block's zero
// and gain for the export files.
class DownloadPage : public QGroupBox {
    Q_OBJECT
public:
    explicit DownloadPage(QWidget* parent);

    // The page's controls in the order Tab walks them.
    QList<QWidget*> tabOrder() const;
};

} // namespace tarvelon
