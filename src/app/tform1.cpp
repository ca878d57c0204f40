#include "app/tform1.h"

#include "platform/base/edition.h"
#include "platform/ui/gradient_panel.h"
#include "platform/ui/interaction.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>

#include <algorithm>

namespace lirma::app {

namespace {

QLabel* titleLabel(QWidget* parent, const char* name, const QColor& color, int x, int y)
{
    auto* label = new QLabel(base::edition::VersionCaption(), parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignCenter);
    QFont font = label->font();
    font.setPointSize(18);
    font.setBold(true);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
    label->setGeometry(x, y, 400, 40);
    return label;
}

} // namespace

QString TForm1::Caption()
{
    return QStringLiteral("Zoza zi roduvuru - Initializare");
}

TForm1::TForm1(StartupSequence::Options options, std::function<void()> showMainWindow, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint),
      options_(std::move(options)), showMainWindow_(std::move(showMainWindow))
{
    setObjectName(QStringLiteral("TForm1"));
    setWindowTitle(Caption());
    setFixedSize(420, 170);
    setCursor(Qt::WaitCursor);

    auto* background = new ui::GradientPanel(Qt::white, QColor(70, 110, 170), Qt::Vertical, this);
    background->setGeometry(rect());

    // The caption twice, the lower one a shade offset behind the other.
    label2_ = titleLabel(this, "Label2", QColor(150, 150, 150), 12, 22);
    label1_ = titleLabel(this, "Label1", QColor(0, 40, 110), 10, 20);

    bar1_ = new QProgressBar(this);
    bar1_->setObjectName(QStringLiteral("Bar1"));
    bar1_->setRange(0, 100);
    bar1_->setValue(50);
    bar1_->setTextVisible(false);
    bar1_->setGeometry(20, 92, 380, 18);

    status_ = new QLabel(StartupSequence::LoadingDataText(), this);
    status_->setObjectName(QStringLiteral("Status"));
    status_->setTextFormat(Qt::PlainText);
    status_->setAlignment(Qt::AlignCenter);
    QFont bold = status_->font();
    bold.setBold(true);
    status_->setFont(bold);
    status_->setGeometry(20, 120, 380, 22);

    timer1_ = new QTimer(this);
    timer1_->setObjectName(QStringLiteral("Timer1"));
    timer1_->setInterval(100);
    connect(timer1_, &QTimer::timeout, this, &TForm1::Timer1Timer);
}

TForm1::~TForm1() = default;

void TForm1::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!ran_)
        timer1_->start();
}

void TForm1::advance(const QString& status, int amount)
{
    status_->setText(status);
    // The maintenance adds more than the bar has left: it stops at its end.
    bar1_->setValue(std::min(bar1_->maximum(), bar1_->value() + amount));
    QCoreApplication::processEvents();
}

void TForm1::removeWorkFolders()
{
    const base::Folders& folders = sequence_->folders();
    base::DeleteFolder(folders, folders.temp);
    base::DeleteFolder(folders, folders.sqlWork);
    QCoreApplication::processEvents();
}

void TForm1::Timer1Timer()
{
    timer1_->stop();
    if (ran_)
        return;
    ran_ = true;

    sequence_ = std::make_unique<StartupSequence>(options_);
    sequence_->setProgress([this](const QString& status, int amount) { advance(status, amount); });
    if (prepare_)
        prepare_(*sequence_);

    try {
        sequence_->runSteps();
    } catch (const std::exception& e) {
        // The program cannot work without its tables: say why, tidy up and end.
        unsetCursor();
        ui::ShowMessage(base::edition::AppTitle(), QString::fromUtf8(e.what()), ui::BtnOk, ui::KindEroare);
        removeWorkFolders();
        emit finished(1);
        return;
    }
    sequence_->runGuarded();

    unsetCursor();
    hide();
    if (showMainWindow_)
        showMainWindow_();

    const QStringList errors = sequence_->report().guardedErrors();
    if (!errors.isEmpty())
        ui::ShowMessage(base::edition::AppTitle(), errors.join(u'\r'), ui::BtnOk, ui::KindEroare);

    removeWorkFolders();
    emit finished(0);
}

} // namespace lirma::app
