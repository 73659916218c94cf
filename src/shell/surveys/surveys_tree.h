#pragma once
#include "analysis/displacement.h"
#include "analysis/survey.h"

#include <QTreeWidget>

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <vector>

namespace tarvelon {

// The Surveys window's tree: client > site > tube > readouts by their own date, each tube's
// base in bold, the readouts that crossed a threshold marked, and those whose checksums moved
// beyond the tube's tolerance marked "possible bias shift".
class SurveysTree : public QTreeWidget {
    Q_OBJECT
public:
    explicit SurveysTree(QWidget* parent = nullptr);

    // Builds the tree anew from the library's list (ordered client, site, tube, date) and the
    // tubes' settings; forgets every threshold mark. Emits no selection signal.
    void fill(const std::vector<surveys::SurveySummary>& list,
              const std::map<surveys::TubeKey, surveys::TubeSettings>& tubes);
    // The threshold a readout reached, shown with its label at the next markReadouts().
    void setLevel(std::int64_t id, surveys::Level level, const QString& why = {});
    // The threshold and the possible bias shift of every readout of an analysed tube, shown at the
    // next markReadouts().
    void setMarks(const surveys::TubeResult& tube);
    // Redraws the marks of the readouts whose base or threshold changed.
    void markReadouts();
    // Chooses these readouts without a selection signal; the last one becomes current.
    void choose(const std::vector<std::int64_t>& ids);

    // The readout under the current item, else the last chosen one; 0 for none.
    std::int64_t currentId() const;
    // The chosen readouts of the current readout's tube (the current one among them).
    std::set<std::int64_t> chosenInCurrentTube() const;
    std::optional<surveys::TubeKey> tubeOf(std::int64_t id) const;
    // The tube of the current item: the tube itself or one of its readouts.
    std::optional<surveys::TubeKey> currentTube() const;
    bool hasReadouts() const { return !items_.empty(); }
    // The client and site of the current item when it is a site's; the client alone (no site)
    // when it is a client's; none for a tube or a readout.
    struct SiteChoice {
        std::string client;
        std::optional<std::string> site;
    };
    std::optional<SiteChoice> currentSite() const;
    // Makes the client's or site's line current without a signal; false when the tree has none.
    bool chooseSite(const SiteChoice& choice);

private:
    const QTreeWidgetItem* currentReadoutItem() const;

    std::map<std::int64_t, QTreeWidgetItem*> items_;
    std::map<std::int64_t, surveys::TubeKey> tubeOf_;
    std::map<std::int64_t, surveys::Level> levels_; // readouts flagged by a threshold
    std::map<std::int64_t, QString> levelWhy_;      // and the thresholds they reached
    std::map<std::int64_t, QString> notComputed_;   // readouts compared with nothing computed, and why
    std::map<std::int64_t, QString> biasShifts_;   // readouts marked "possible bias shift", and why
    std::set<std::int64_t> bases_;                 // every tube's base readout
    std::set<std::int64_t> marked_;                // readouts shown with a mark
};

} // namespace tarvelon
