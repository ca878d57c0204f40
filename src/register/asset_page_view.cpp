#include "register/asset_page_view.h"

#include "core/admin_fields.h"
#include "platform/ui/gradient_panel.h"
#include "register/register_texts.h"

#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScrollArea>
#include <QVBoxLayout>

#include <map>
#include <stdexcept>

namespace lirma::reg {

namespace {

// Texts of the page layouts, used only here.
const char kYardsTitle[] = "Curti cu constructii  - suprafata in mp";
const char kOtherUsesTitle[] = "Alte categorii de folosinta - suprafata in ha";
const char kForestSecondLine[] = "cu vegetatie forestiera";
const char kBucati[] = "Bucati";
const char kOver3000[] = "peste 3000 cmc: Capacit.(cmc)";
const char kCapacitatea[] = "CAPACITATEA (cmc)";
const char kCapCil[] = "Cap.cilindrica-cmc";
const char kMasa[] = "Masa";
const char kCarsTitle[] = "Autoturisme, motociclete, tricicluri, cvadricicluri";
const char kOtherUpTo12[] = "Alte vehicule pana la 12 t, autoturisme de teren din productie interna";
const char kTractors[] = "Tractoare inmatriculate";
const char kBuses[] = "Autobuze, autocare, microbuze";
const char kTrailers[] = "Remorci, semiremorci si rulote";
const char kUpTo4800[] = "Vehicule cu capacitatea cilindrica pana la 4800 cmc";
const char kOver4800[] = "Vehicule cu capacitatea cilindrica peste 4800 cmc";
const char kUnknownCapacity[] = "Vehicule cu capacitatea cilindrica neevidentiata";
const char kCapCilUnreg[] = "Cap. cilindrica (cmc)";
const char kNumarBucati[] = "Numar de bucati";
const char kCantitate[] = "Cantitate";
const char kArrearsSubtitle[] = "Valoare totala restante, majorari si solduri la initializarea programului";
const char kRestanta[] = "Restanta";
const char kMajorari[] = "Majorari";
const char kPlus[] = "Plus";
const char kRestanteTaxe[] = "Restante taxe";
const char kTdw[] = "tdw";

QLabel* label(const QString& text, QWidget* parent, bool bold = false, Qt::Alignment align = Qt::AlignLeft)
{
    auto* l = new QLabel(text, parent);
    l->setTextFormat(Qt::PlainText);
    l->setAlignment(align | Qt::AlignVCenter);
    if (bold) {
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
    }
    return l;
}

QLabel* head(const QString& text, QWidget* parent) { return label(text, parent, true, Qt::AlignHCenter); }

QString L(const char* s) { return QString::fromLatin1(s); }

} // namespace

AssetPageView::AssetPageView(AssetPage page, QWidget* parent) : QWidget(parent), page_(page)
{
    const PageDef& d = def();
    setObjectName(d.name);

    auto* band = new ui::GradientPanel(QColor(255, 255, 255), QColor(70, 110, 160), Qt::Horizontal, this);
    band->setObjectName(d.name + QStringLiteral("Title"));
    band->setFixedHeight(34);
    auto* title = label(d.caption, band, true);
    QFont f = title->font();
    f.setPointSizeF(f.pointSizeF() * 1.2);
    title->setFont(f);
    auto* bandLayout = new QHBoxLayout(band);
    bandLayout->setContentsMargins(10, 0, 10, 0);
    bandLayout->addWidget(title);

    QWidget* body = buildBody();
    auto* scroll = new QScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setWidget(body);

    // The fields in the page's order, whatever order the layout made them in.
    std::map<QString, QLineEdit*> byName;
    for (QLineEdit* e : body->findChildren<QLineEdit*>())
        byName[e->objectName()] = e;
    for (const PageField& pf : d.fields) {
        auto it = byName.find(pf.field);
        if (it == byName.end())
            throw std::logic_error("page " + d.name.toStdString() + " lays out no field " + pf.field.toStdString());
        fields_.push_back(it->second);
    }

    panel_ = new QFrame(this);
    panel_->setObjectName(d.panel);
    auto* frame = static_cast<QFrame*>(panel_);
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setAutoFillBackground(true);
    QPalette pal = frame->palette();
    pal.setColor(QPalette::Window, QColor(255, 244, 200));
    frame->setPalette(pal);
    cancel_ = new QPushButton(text::CancelChanges(), panel_);
    cancel_->setObjectName(QStringLiteral("Anuleaza"));
    save_ = new QPushButton(text::SaveChanges(), panel_);
    save_->setObjectName(QStringLiteral("Memoreaza"));
    for (QPushButton* b : {cancel_, save_}) {
        b->setAutoDefault(false);
        b->setMinimumWidth(b->sizeHint().width() + 16);
    }
    auto* panelLayout = new QHBoxLayout(panel_);
    panelLayout->setContentsMargins(8, 4, 8, 4);
    panelLayout->addStretch(1);
    panelLayout->addWidget(cancel_);
    panelLayout->addWidget(save_);
    panel_->hide();
    connect(cancel_, &QPushButton::clicked, this, &AssetPageView::cancelRequested);
    connect(save_, &QPushButton::clicked, this, &AssetPageView::saveRequested);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addWidget(band);
    layout->addWidget(scroll, 1);
    layout->addWidget(panel_);
}

QLineEdit* AssetPageView::makeField(const QString& name, QWidget* parent)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setAlignment(Qt::AlignRight);
    e->setMaxLength(14);
    // Digits, a sign and a point get in; whether the value fits its column is checked on saving.
    e->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("-?[0-9]*\\.?[0-9]*")), e));
    e->setFixedWidth(e->fontMetrics().horizontalAdvance(QStringLiteral("99999.9999")) + 14);
    connect(e, &QLineEdit::textEdited, this, [this] {
        if (!readOnly_)
            emit edited();
    });
    return e;
}

QWidget* AssetPageView::buildBody()
{
    switch (page_) {
    case AssetPage::Pag1: return buildLandOutside();
    case AssetPage::Pag4: return buildLandInside();
    case AssetPage::Pag5: return buildVehicles();
    case AssetPage::Pag6: return buildUnregistered();
    case AssetPage::Pag7: return buildOtherTaxes();
    case AssetPage::Pag8: return buildAxleRows(false);
    case AssetPage::Pag9: return buildAxleRows(true);
    case AssetPage::Pag10: return buildWater();
    case AssetPage::Pag11: return buildArrears();
    }
    return new QWidget;
}

QWidget* AssetPageView::buildLandOutside()
{
    auto* w = new QWidget;
    auto* g = new QGridLayout(w);
    g->setHorizontalSpacing(8);
    g->setVerticalSpacing(4);
    for (int c = 0; c < 5; ++c) {
        QLabel* h = head(QString(), w);
        h->setObjectName(QStringLiteral("ZoneHead%1").arg(c + 1));
        headings_.push_back(h);
        g->addWidget(h, 0, c + 1);
    }
    const QStringList labels = OutsideLandLabels();
    for (int n = 1; n <= 11; ++n) {
        QString text = labels[n - 1];
        if (n == 7)
            text += QLatin1Char('\n') + L(kForestSecondLine);
        QLabel* l = label(text, w);
        l->setObjectName(QStringLiteral("C1L%1Lab").arg(n));
        g->addWidget(l, n, 0);
        for (int x = 0; x < 5; ++x)
            g->addWidget(makeField(QStringLiteral("EC%1Z%2").arg(n).arg(QChar(u'A' + x)), w), n, x + 1);
    }
    g->setColumnStretch(6, 1);
    g->setRowStretch(12, 1);
    return w;
}

QWidget* AssetPageView::buildLandInside()
{
    auto* w = new QWidget;
    auto* v = new QVBoxLayout(w);
    auto* yards = new QGroupBox(L(kYardsTitle), w);
    auto* gy = new QGridLayout(yards);
    auto* uses = new QGroupBox(L(kOtherUsesTitle), w);
    auto* gu = new QGridLayout(uses);
    for (QGridLayout* g : {gy, gu}) {
        QWidget* owner = g == gy ? static_cast<QWidget*>(yards) : uses;
        g->addItem(new QSpacerItem(fontMetrics().horizontalAdvance(QStringLiteral("Curti cu constructii")), 0), 0, 0);
        for (int c = 0; c < 6; ++c) {
            QLabel* h = head(QString(), owner);
            h->setObjectName(QStringLiteral("%1Head%2").arg(g == gy ? "Yards" : "Uses").arg(c + 1));
            headings_.push_back(h);
            g->addWidget(h, 0, c + 1);
        }
        g->setColumnStretch(7, 1);
    }
    gy->addWidget(label(QStringLiteral("Curti cu constructii"), yards), 1, 0);
    for (int c = 0; c < 6; ++c)
        gy->addWidget(makeField(QStringLiteral("ICC%1").arg(QChar(u'A' + c)), yards), 1, c + 1);
    const QStringList labels = InsideLandLabels();
    for (int r = 1; r <= 8; ++r) {
        QLabel* l = label(labels[r - 1], uses);
        l->setObjectName(QStringLiteral("IntraLab%1").arg(r));
        gu->addWidget(l, r, 0);
        for (int c = 1; c <= 6; ++c)
            gu->addWidget(makeField(QStringLiteral("IA%1%2").arg(r).arg(c), uses), r, c);
    }
    v->addWidget(yards);
    v->addWidget(uses);
    v->addStretch(1);
    return w;
}

QWidget* AssetPageView::buildVehicles()
{
    auto* w = new QWidget;
    auto* h = new QHBoxLayout(w);

    // Cars by cylinder capacity.
    auto* cars = new QGroupBox(L(kCarsTitle), w);
    auto* gc = new QGridLayout(cars);
    gc->setVerticalSpacing(3);
    gc->addWidget(head(L(kBucati), cars), 0, 1);
    const QStringList bands = VehicleBandTexts();
    QStringList bandFields;
    for (int k = 23; k >= 18; --k)
        bandFields << QStringLiteral("AUTO%1").arg(k);
    for (int k = 1; k <= 9; ++k)
        bandFields << QStringLiteral("AUTO%1").arg(k);
    for (int i = 0; i < bands.size(); ++i) {
        QLabel* l = label(bands[i], cars);
        QFont mono = l->font();
        mono.setFamily(QStringLiteral("DejaVu Sans Mono"));
        mono.setStyleHint(QFont::Monospace);
        l->setFont(mono); // the bands keep their leading spaces aligned
        gc->addWidget(l, i + 1, 0);
        gc->addWidget(makeField(bandFields[i], cars), i + 1, 1);
    }
    auto* left = new QVBoxLayout;
    left->addWidget(cars);
    left->addStretch(1);

    // Numbered rows of one or two fields under their headings.
    auto numbered = [&](QGroupBox* box, const QStringList& heads, const QStringList& prefixes, int count,
                        QGridLayout* g, int firstRow) {
        for (int c = 0; c < heads.size(); ++c)
            g->addWidget(head(heads[c], box), firstRow, c + 1);
        for (int k = 1; k <= count; ++k) {
            g->addWidget(label(QStringLiteral("%1.").arg(k), box, false, Qt::AlignRight), firstRow + k, 0);
            for (int c = 0; c < prefixes.size(); ++c)
                g->addWidget(makeField(prefixes[c] + QString::number(k), box), firstRow + k, c + 1);
        }
        g->setColumnStretch(int(prefixes.size()) + 1, 1);
    };

    // Other vehicles up to 12 t and the cars over 3000 cmc.
    auto* other = new QGroupBox(w);
    auto* gt = new QGridLayout(other);
    gt->setVerticalSpacing(3);
    auto* otherTitle = label(L(kOtherUpTo12), other);
    otherTitle->setWordWrap(true);
    gt->addWidget(otherTitle, 0, 0, 1, 2);
    numbered(other, {L(kCapacitatea)}, {QStringLiteral("ALTEA")}, 12, gt, 1);
    auto* over = new QGroupBox(L(kOver3000), w);
    auto* go = new QGridLayout(over);
    go->setVerticalSpacing(3);
    numbered(over, {}, {QStringLiteral("P3000")}, 4, go, 0);
    const int middleWidth = fontMetrics().horizontalAdvance(L(kOver3000)) + 24;
    other->setFixedWidth(middleWidth);
    over->setFixedWidth(middleWidth);
    auto* middle = new QVBoxLayout;
    middle->addWidget(other);
    middle->addWidget(over);
    middle->addStretch(1);

    // Tractors, buses and trailers.
    auto* right = new QVBoxLayout;
    auto pairs = [&](const char* title, const char* capPrefix, const char* countPrefix) {
        auto* box = new QGroupBox(L(title), w);
        auto* g = new QGridLayout(box);
        g->setVerticalSpacing(3);
        numbered(box, {L(kCapCil), L(kBucati)}, {QString::fromLatin1(capPrefix), QString::fromLatin1(countPrefix)}, 4,
                 g, 0);
        right->addWidget(box);
    };
    pairs(kTractors, "TRACCAP", "TRACBUC");
    pairs(kBuses, "ATBCAP", "ATBCANT");
    auto* trailers = new QGroupBox(L(kTrailers), w);
    auto* gr = new QGridLayout(trailers);
    gr->setVerticalSpacing(3);
    gr->addWidget(head(L(kMasa), trailers), 0, 0);
    gr->addWidget(head(L(kBucati), trailers), 0, 1);
    const QStringList masses = TrailerMassTexts();
    for (int k = 1; k <= 4; ++k) {
        gr->addWidget(label(masses[k - 1], trailers), k, 0);
        gr->addWidget(makeField(QStringLiteral("AUTO%1").arg(13 + k), trailers), k, 1);
    }
    right->addWidget(trailers);
    right->addStretch(1);

    h->addLayout(left);
    h->addLayout(middle);
    h->addLayout(right);
    h->addStretch(1);
    return w;
}

QWidget* AssetPageView::buildUnregistered()
{
    auto* w = new QWidget;
    auto* v = new QVBoxLayout(w);
    auto group = [&](const char* title, const char* column, int from, int to) {
        auto* box = new QGroupBox(L(title), w);
        auto* g = new QGridLayout(box);
        g->addWidget(label(L(column), box), 0, 0);
        for (int k = from; k <= to; ++k)
            g->addWidget(makeField(QStringLiteral("VN%1").arg(k), box), 0, k - from + 1);
        g->setColumnStretch(to - from + 2, 1);
        v->addWidget(box);
    };
    group(kUpTo4800, kCapCilUnreg, 1, 5);
    group(kOver4800, kCapCilUnreg, 6, 10);
    group(kUnknownCapacity, kNumarBucati, 11, 11);
    v->addStretch(1);
    return w;
}

QWidget* AssetPageView::buildOtherTaxes()
{
    auto* w = new QWidget;
    auto* g = new QGridLayout(w);
    g->addWidget(head(L(kCantitate), w), 0, 1);
    const QStringList labels = OtherTaxLabels();
    for (int k = 1; k <= 6; ++k) {
        QLabel* l = label(labels[k - 1], w);
        l->setObjectName(QStringLiteral("AlteLab%1").arg(k));
        g->addWidget(l, k, 0);
        g->addWidget(makeField(QStringLiteral("Alte%1").arg(k), w), k, 1);
    }
    g->setColumnMinimumWidth(0, fontMetrics().horizontalAdvance(QLatin1Char('M')) * 12);
    g->setColumnStretch(2, 1);
    g->setRowStretch(7, 1);
    return w;
}

QWidget* AssetPageView::buildAxleRows(bool combinations)
{
    const core::AdminPageDef& admin =
        core::AdminPageOf(combinations ? core::AdminPage::RoadTrains : core::AdminPage::HeavyVehicles);
    const QString prefix = combinations ? QStringLiteral("GC") : QStringLiteral("G");
    const int rows = int(admin.rowLabels.size());
    // Long lists go in two blocks side by side.
    const int blocks = rows > 16 ? 2 : 1;
    const int perBlock = (rows + blocks - 1) / blocks;
    auto* w = new QWidget;
    auto* h = new QHBoxLayout(w);
    for (int b = 0; b < blocks; ++b) {
        auto* g = new QGridLayout;
        g->setVerticalSpacing(3);
        auto* corner = label(admin.cornerHead, w, true);
        corner->setWordWrap(true);
        g->addWidget(corner, 0, 0);
        for (int c = 0; c < 2; ++c) {
            auto* hd = head(admin.columnHeads.value(c), w);
            hd->setWordWrap(true);
            g->addWidget(hd, 0, c + 1);
        }
        for (int r = b * perBlock; r < std::min(rows, (b + 1) * perBlock); ++r) {
            const int row = r - b * perBlock + 1;
            g->addWidget(label(admin.rowLabels[r], w), row, 0);
            g->addWidget(makeField(QStringLiteral("%1%2A").arg(prefix).arg(r + 1), w), row, 1);
            g->addWidget(makeField(QStringLiteral("%1%2B").arg(prefix).arg(r + 1), w), row, 2);
        }
        g->setRowStretch(perBlock + 1, 1);
        h->addLayout(g);
        if (b + 1 < blocks)
            h->addSpacing(24);
    }
    h->addStretch(1);
    return w;
}

QWidget* AssetPageView::buildWater()
{
    const core::AdminPageDef& admin = core::AdminPageOf(core::AdminPage::WaterVehicles);
    auto* w = new QWidget;
    auto* g = new QGridLayout(w);
    g->setVerticalSpacing(3);
    g->addWidget(head(L(kBucati), w), 0, 1);
    int row = 1;
    for (int n = 1; n <= 13; ++n) {
        const core::AdminInput& in = admin.inputs[size_t(n - 1)];
        if (!in.heading.isEmpty())
            g->addWidget(label(in.heading, w, true), row++, 0, 1, 3);
        QLabel* l = label(in.label, w);
        l->setWordWrap(true);
        g->addWidget(l, row, 0);
        g->addWidget(makeField(QStringLiteral("APA%1").arg(n), w), row, 1);
        if (n == 10)
            g->addWidget(label(L(kTdw), w), row, 2);
        ++row;
    }
    g->setColumnStretch(0, 1);
    g->setColumnMinimumWidth(2, fontMetrics().horizontalAdvance(QStringLiteral("tdw")) + 8);
    g->setRowStretch(row, 1);
    auto* outer = new QWidget;
    auto* h = new QHBoxLayout(outer);
    w->setMaximumWidth(fontMetrics().horizontalAdvance(QLatin1Char('M')) * 52);
    h->addWidget(w);
    h->addStretch(1);
    return outer;
}

QWidget* AssetPageView::buildArrears()
{
    auto* w = new QWidget;
    auto* g = new QGridLayout(w);
    g->setVerticalSpacing(4);
    auto* sub = label(L(kArrearsSubtitle), w, true);
    g->addWidget(sub, 0, 0, 1, 4);
    g->addWidget(head(L(kRestanta), w), 1, 1);
    g->addWidget(head(L(kMajorari), w), 1, 2);
    g->addWidget(head(L(kPlus), w), 1, 3);
    const QStringList labels = ArrearsLabels();
    for (int k = 1; k <= 4; ++k) {
        g->addWidget(label(labels[k - 1], w), k + 1, 0);
        g->addWidget(makeField(QStringLiteral("NumericEdit%1").arg(11 + k), w), k + 1, 1);
        g->addWidget(makeField(QStringLiteral("Pen%1").arg(11 + k), w), k + 1, 2);
        g->addWidget(makeField(QStringLiteral("Sold%1").arg(k), w), k + 1, 3);
    }
    g->addItem(new QSpacerItem(0, 10), 6, 0);
    g->addWidget(label(L(kRestanteTaxe), w, true), 7, 0);
    for (int k = 17; k <= 23; ++k) {
        g->addWidget(label(labels[k - 17 + 4], w), k - 17 + 8, 0);
        g->addWidget(makeField(QStringLiteral("NumericEdit%1").arg(k), w), k - 17 + 8, 1);
    }
    g->setColumnMinimumWidth(0, fontMetrics().horizontalAdvance(QLatin1Char('M')) * 14);
    g->setColumnStretch(4, 1);
    g->setRowStretch(16, 1);
    return w;
}

QStringList AssetPageView::values() const
{
    QStringList out;
    for (QLineEdit* e : fields_)
        out.push_back(e->text());
    return out;
}

void AssetPageView::setValues(const QStringList& values)
{
    for (size_t i = 0; i < fields_.size(); ++i)
        fields_[i]->setText(values.value(int(i), QStringLiteral("0")));
}

void AssetPageView::setReadOnly(bool readOnly)
{
    readOnly_ = readOnly;
    for (QLineEdit* e : fields_)
        e->setReadOnly(readOnly);
}

QLineEdit* AssetPageView::field(const QString& name) const
{
    const int i = def().fieldIndex(name);
    return i >= 0 ? fields_[size_t(i)] : nullptr;
}

void AssetPageView::setColumnHeadings(const QStringList& headings)
{
    // The intra-muros page shows its six headings above both blocks.
    for (size_t i = 0; i < headings_.size(); ++i)
        headings_[i]->setText(headings.value(int(i % size_t(std::max<qsizetype>(1, headings.size())))));
}

QStringList AssetPageView::columnHeadings() const
{
    QStringList out;
    for (QLabel* l : headings_)
        out.push_back(l->text());
    return out;
}

bool AssetPageView::hasPendingChanges() const { return !panel_->isHidden(); }

void AssetPageView::setPendingChanges(bool pending) { panel_->setVisible(pending); }

} // namespace lirma::reg
