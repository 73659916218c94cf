#pragma once
#include "analysis/corrections.h"
#include "analysis/displacement.h"
#include "analysis/proposal.h"

#include <QDialog>

#include <deque>
#include <functional>
#include <vector>

class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;

namespace tarvelon {

// "Corrections": the probe's systematic errors of one readout, proposed from a stable zone
// (the deepest quiet stretch, or the depths the engineer gives) with the evidence and what each
// does to the displacement, and the corrections kept with the readout, each switched on or off.
// Nothing applies itself: a proposal is kept only when accepted; one the evidence does not
// support comes unticked with the reason, and is kept only with the engineer's own reason.
// Every change is kept at once so the window behind redraws corrected.
class CorrectionsDialog : public QDialog {
    Q_OBJECT
public:
    // Keeps the readout's corrections; "" when kept, else why not.
    using Keep = std::function<QString(const std::vector<surveys::Correction>&)>;

    CorrectionsDialog(const surveys::TubeResult& tube, const surveys::ReadoutResult& readout, Keep keep,
                      QWidget* parent = nullptr);

    // After the tube's second pass was switched to `now`: the readouts of `surveys` whose
    // corrections were found for the other reduction, when the engineer chooses, asked in a box,
    // to clear them; none otherwise.
    static std::vector<std::int64_t> askToClearOtherReduction(QWidget* parent, const std::vector<surveys::Survey>& surveys,
                                                              const surveys::CorrectionsById& corrections,
                                                              const surveys::TubeSettings& now);

    // Proposes over the zone chosen in the box; shows why when nothing can be.
    void propose();
    // Keeps the proposals whose Accept box is checked, each in place of a kept one of its kind and
    // axis; a refused one checked needs the reason typed in the box, or nothing is kept.
    void acceptChosen();
    QLineEdit* insistReason() const { return insist_; }
    // Switches the kept correction on row `row` of the kept table.
    void switchKept(int row, bool on);
    // Removes every kept correction, without asking.
    void clearKept();

    const surveys::CorrectionProposal& proposal() const { return proposal_; }
    const std::vector<surveys::Correction>& kept() const { return kept_; }
    QTableWidget* proposedTable() const { return proposed_; }
    QTableWidget* keptTable() const { return keptTable_; }

private:
    void keep(const std::vector<surveys::Correction>& list);
    void showProposal();
    void showKept();

    surveys::Survey base_, readout_;
    surveys::TubeSettings settings_;
    QString checksums_;
    bool flagged_ = false; // the tree marks the readout "possible bias shift"
    Keep keep_;
    surveys::CorrectionProposal proposal_;
    std::deque<surveys::Survey> neighbours_; // the tube's other readouts, which the context points into
    surveys::ProposalContext context_;
    std::vector<surveys::Correction> kept_;

    QRadioButton* deepest_ = nullptr;
    QDoubleSpinBox* from_ = nullptr;
    QDoubleSpinBox* to_ = nullptr;
    QLabel* evidence_ = nullptr;
    QTableWidget* proposed_ = nullptr;
    QPushButton* accept_ = nullptr;
    QLineEdit* insist_ = nullptr;
    QTableWidget* keptTable_ = nullptr;
    QLabel* warning_ = nullptr;
    QPushButton* again_ = nullptr;
    QPushButton* clear_ = nullptr;
    QLabel* error_ = nullptr;
};

} // namespace tarvelon
