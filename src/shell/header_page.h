#pragma once
#include <QGroupBox>
#include <QList>

namespace tarvelon {

// The "Header Data" page (Frame1): the block number with its "-" and "+", "Copy Data", and
// the header fields the operator fills in before a block is set.
class HeaderPage : public QGroupBox {
    Q_OBJECT
public:
    explicit HeaderPage(QWidget* parent);

    // The page's controls in the order Tab walks them.
    QList<QWidget*> tabOrder() const;

signals:
    // A double-click on the depth tenths box (Text13), or Space on it: how the operator changes it.
    void tenthsDoubleClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* tenths_ = nullptr;
};

} // namespace tarvelon
