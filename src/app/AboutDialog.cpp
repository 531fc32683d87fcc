#include "app/AboutDialog.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QWindow>

#include "app/FrameDialogs.h"
#include "base/QtText.h"
#include "base/Ui.h"
#include "resources/Artwork.h"
#include "resources/Strings.h"

namespace {
constexpr QSize kAboutSize(440, 360);
} // namespace

AboutDialog::AboutDialog(QWidget* owner) : QDialog(owner) {
    setObjectName("AboutDlg");
    setWindowTitle(ToQt(Str(kStrAboutTitle)));
    setFixedSize(kAboutSize);

    m_build = new QLabel(ToQt(Str(kStrBuildLabel)));
    m_build->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    auto* web = new QLabel(ToQt(Str(kStrAboutWebLine)));
    auto* report = new QLabel(ToQt(Str(kStrAboutReportLine)));
    for (QLabel* line : {web, report}) {
        line->setTextInteractionFlags(Qt::TextSelectableByMouse);
    }
    m_credits = new QPushButton(ToQt(Str(kStrCreditsButton)));
    m_systemInfo = new QPushButton(ToQt(Str(kStrSystemInfoButton)));
    m_ok = new QPushButton(OkButtonIcon(), QStringLiteral("OK"));
    m_ok->setDefault(true);
    for (QPushButton* button : {m_credits, m_systemInfo}) {
        button->setAutoDefault(false);
    }
    connect(m_credits, &QPushButton::clicked, this, [] {
        if (g_ui) {
            g_ui->ShowMessage(Str(kStrCredits), MessageIcon::Information);
        }
    });
    connect(m_systemInfo, &QPushButton::clicked, this, RunSystemInformation);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);

    // The controls keep to the bottom third, below the artwork.
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(10, ArtworkRect().height() + 6, 10, 10);
    layout->addWidget(m_build, 0, 0);
    layout->addWidget(web, 1, 0);
    layout->addWidget(report, 2, 0);
    layout->addWidget(m_credits, 0, 1);
    layout->addWidget(m_systemInfo, 1, 1);
    layout->addWidget(m_ok, 2, 1);
    layout->setColumnStretch(0, 1);
}

QRect AboutDialog::ArtworkRect() const {
    return QRect(0, 0, width(), height() * 2 / 3);
}

void AboutDialog::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect target = ArtworkRect();
    const qreal ratio = windowHandle() ? windowHandle()->devicePixelRatio() : devicePixelRatioF();
    painter.drawPixmap(target, SplashPixmap(target.size(), ratio));
}

void AboutDialog::Run(QWidget* owner) {
    AboutDialog dialog(owner);
    dialog.exec();
}
