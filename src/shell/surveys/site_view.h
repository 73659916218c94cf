#pragma once
#include "library/site.h"

#include <QWidget>

#include <optional>

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace tarvelon {

// The site plan drawn in a widget as the site report prints it.
class SitePlanView : public QWidget {
    Q_OBJECT
public:
    explicit SitePlanView(QWidget* parent);
    void setRows(const std::vector<surveys::SiteRow>* rows, std::optional<int> depthTenths);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    const std::vector<surveys::SiteRow>* rows_ = nullptr;
    std::optional<int> depthTenths_;
};

// What the Surveys window shows for a site (or a client): a table of its tubes, the most
// alarming and fastest first, and their plan. A double click on a tube opens it.
class SiteView : public QWidget {
    Q_OBJECT
public:
    explicit SiteView(QWidget* parent);

    // Shows the site; `name` as its heading says it ("GEOTECNA / FRANA 12").
    void showSite(surveys::Site site, const QString& name);
    void clear();
    const surveys::Site& site() const { return site_; }
    const QString& name() const { return name_; }
    QTableWidget* table() const { return table_; }

signals:
    void tubeOpened(const surveys::TubeKey& tube);
    void reportAsked();

private:
    void fillTable();
    void drawPlan();

    surveys::Site site_;
    QString name_;
    QLabel* heading_ = nullptr;
    QTableWidget* table_ = nullptr;
    SitePlanView* plan_ = nullptr;
    QComboBox* depth_ = nullptr;
    QPushButton* report_ = nullptr;
};

} // namespace tarvelon
