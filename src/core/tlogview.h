// TLogView: the viewer of an activity log, "Istoric actiuni". A read-only grid of the chosen log
// (the data folder's or this workstation's) in the order of writing, under the title line
// "Istoricul operatiunilor efectuate"; "&Renunt" closes it.
#pragma once

#include "core/activity_log.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QTableView;

namespace lirma::core {

class BandedHeaderView;
class LogTableModel;

class TLogView : public QDialog {
    Q_OBJECT
public:
    explicit TLogView(ActivityLog& log, QWidget* parent = nullptr);

    // Fills the grid with the chosen log. When it cannot be read the user is told and the result is
    // false, with the grid empty.
    bool Load(LogSource source);
    // Load, then shown modally until closed; closing lets go of the rows.
    void ShowLog(LogSource source);
    LogSource source() const { return source_; }

    QTableView* grid() const { return grid_; }
    LogTableModel* model() const { return model_; }
    BandedHeaderView* header() const { return header_; }
    QLabel* titleLabel() const { return title_; }
    QPushButton* RenuntButton() const { return close_; }

public slots:
    void done(int result) override;

private:
    ActivityLog& log_;
    LogSource source_ = LogSource::General;
    QLabel* title_;
    QTableView* grid_;
    LogTableModel* model_;
    BandedHeaderView* header_;
    QPushButton* close_;
};

}  // namespace lirma::core
