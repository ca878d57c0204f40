#include "app/terori.h"

#include "app/message_layout.h"
#include "platform/ui/gradient_panel.h"
#include "platform/ui/interaction.h"
#include "platform/ui/wrapped_text.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

#include <algorithm>

namespace lirma::app {

using lirma::ui::GradientPanel;
using lirma::ui::WrappedText;

namespace {
constexpr int kWidth = kButtonRowWidth + 8;
constexpr int kBandHeight = 30;
constexpr int kBottomBandHeight = 14;
constexpr int kIconSize = 32;
constexpr int kTextLeft = 58;
constexpr int kButtonHeight = 25;

QStyle::StandardPixmap pixmapOf(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Warning: return QStyle::SP_MessageBoxWarning;
    case MessageIcon::Information: return QStyle::SP_MessageBoxInformation;
    case MessageIcon::Question: return QStyle::SP_MessageBoxQuestion;
    case MessageIcon::Critical: return QStyle::SP_MessageBoxCritical;
    }
    return QStyle::SP_MessageBoxCritical;
}
}  // namespace

TErori::TErori(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint |
                          Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName("TErori");
    setModal(true);

    topBand_ = new GradientPanel(this);
    bottomBand_ = new GradientPanel(this);
    title_ = new QLabel(QStringLiteral("PROBLEMA"), topBand_);
    title_->setTextFormat(Qt::PlainText);
    QFont bold = title_->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() + 1);
    title_->setFont(bold);
    title_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    icon_ = new QLabel(this);
    text_ = new WrappedText(this);
    text_->setObjectName("EroText");
    text_->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);

    row_ = new QWidget(this);
    const auto& all = allButtons();
    for (size_t i = 0; i < all.size(); ++i) {
        auto* b = new QPushButton(all[i].caption, row_);
        b->setObjectName(all[i].name);
        b->setVisible(false);
        const int code = all[i].code;
        connect(b, &QPushButton::clicked, this, [this, code] {
            code_ = code;
            accept();
        });
        buttons_[i] = b;
    }
}

bool TErori::prepare(const QString& title, const QString& text, int buttons, int kind) {
    code_ = lirma::ui::ReplyRenunt;
    title_->setText(title);
    text_->setText(messageLines(text));
    const MessageStyle style = styleOfKind(kind);
    setWindowTitle(style.caption);
    topBand_->setColors(style.from, style.to);
    bottomBand_->setColors(style.from, style.to);
    icon_->setPixmap(this->style()->standardIcon(pixmapOf(style.icon)).pixmap(kIconSize, kIconSize));

    const ButtonPlan plan = planButtons(buttons);
    const auto& all = allButtons();
    for (size_t i = 0; i < all.size(); ++i) {
        QPushButton* b = buttons_[i];
        b->setDefault(false);
        b->setVisible(false);
        for (const PlacedButton& p : plan.buttons)
            if (p.bit == all[i].bit) {
                b->setGeometry(p.x, 0, p.width, kButtonHeight);
                b->setVisible(true);
                if (p.code == plan.defaultCode) {
                    b->setDefault(true);
                    b->setFocus();
                }
            }
    }
    arrange();
    return plan.shown();
}

void TErori::arrange() {
    const int textWidth = kWidth - kTextLeft - 14;
    const int textHeight = std::max(kIconSize, text_->heightForWidth(textWidth));
    topBand_->setGeometry(0, 0, kWidth, kBandHeight);
    title_->setGeometry(10, 0, kWidth - 20, kBandHeight);
    int y = kBandHeight + 14;
    icon_->setGeometry(14, y, kIconSize, kIconSize);
    text_->setGeometry(kTextLeft, y, textWidth, textHeight);
    y += textHeight + 16;
    row_->setGeometry((kWidth - kButtonRowWidth) / 2, y, kButtonRowWidth, kButtonHeight);
    y += kButtonHeight + 12;
    bottomBand_->setGeometry(0, y, kWidth, kBottomBandHeight);
    setFixedSize(kWidth, y + kBottomBandHeight);
}

int TErori::Show(const QString& title, const QString& text, int buttons, int kind) {
    if (!prepare(title, text, buttons, kind)) return lirma::ui::ReplyRenunt;
    QWidget* over = QApplication::activeWindow();
    QScreen* screen = over ? over->screen() : QGuiApplication::primaryScreen();
    if (screen) move(screen->availableGeometry().center() - rect().center());
    exec();
    return code_;
}

}  // namespace lirma::app
