// A horizontal grid header of two rows: bands whose title stands above several columns, and the
// column titles below them. A column outside every band has its title across both rows.
#pragma once

#include "core/log_table_model.h"

#include <QHeaderView>

#include <vector>

namespace lirma::core {

class BandedHeaderView : public QHeaderView {
    Q_OBJECT
public:
    explicit BandedHeaderView(std::vector<HeaderBand> bands, QWidget* parent = nullptr);

    const std::vector<HeaderBand>& bands() const { return bands_; }
    // The band a column lies in, or nullptr.
    const HeaderBand* bandOf(int logicalIndex) const;
    // Where a band's title is drawn, in viewport coordinates.
    QRect bandRect(const HeaderBand& band) const;

    QSize sizeHint() const override;

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;

private:
    void paintCell(QPainter* painter, const QRect& rect, int logicalIndex, const QString& text) const;

    std::vector<HeaderBand> bands_;
};

}  // namespace lirma::core
