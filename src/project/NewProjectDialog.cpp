#include "project/NewProjectDialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "base/QtText.h"
#include "engine/AdditionalFilesDialog.h"
#include "midi/MidiDevices.h"
#include "panel/PanelState.h"
#include "project/NewProject.h"
#include "project/ProjectFilesEditing.h"
#include "project/ProjectState.h"
#include "project/ResourceTemplateLibrary.h"
#include "project/TemplatesDialog.h"
#include "resources/Artwork.h"
#include "resources/Strings.h"

namespace {

// "Doc1Icon" .. "Doc3Icon": a page with a folded corner and the kind's mark on it.
QIcon DocumentIcon(int kind) {
    QPixmap pixmap(64, 64);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QPolygonF page({{12, 4}, {42, 4}, {54, 16}, {54, 60}, {12, 60}});
    p.setPen(QPen(QColor(40, 40, 90), 2));
    p.setBrush(QColor(250, 250, 255));
    p.drawPolygon(page);
    p.drawPolyline(QPolygonF({{42, 4}, {42, 16}, {54, 16}}));
    if (kind == kNewPanelTemplate) {
        p.setPen(QPen(QColor(0, 110, 0), 3));
        for (int y = 26; y <= 50; y += 8) {
            p.drawLine(20, y, 46, y);
        }
    } else {
        // Fader slots: four for the 7-bit kind, with doubled knobs for the 14-bit kind.
        for (int i = 0; i < 4; ++i) {
            const int x = 20 + i * 8;
            p.setPen(QPen(QColor(60, 60, 60), 2));
            p.drawLine(x, 24, x, 54);
            p.setPen(Qt::NoPen);
            p.setBrush(kind == kNewPanelFourteenBit ? QColor(200, 40, 40) : QColor(0, 0, 127));
            const int y = 30 + (i * 7) % 20;
            p.drawRect(x - 3, y, 6, kind == kNewPanelFourteenBit ? 10 : 5);
        }
    }
    return QIcon(pixmap);
}

// "SCRIPTVOIDICON": an empty script page with a pen.
QIcon ScriptIcon() {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(40, 40, 90), 1.5));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(6, 3, 18, 25));
    p.setPen(QPen(QColor(150, 150, 170), 1));
    for (int y = 9; y <= 23; y += 4) {
        p.drawLine(9, y, 21, y);
    }
    p.setPen(QPen(QColor(180, 120, 0), 3));
    p.drawLine(QPointF(16, 26), QPointF(28, 12));
    return QIcon(pixmap);
}

} // namespace

void NewProjectDialog::Run(QWidget* owner) {
    bool accepted = false;
    {
        NewProjectDialog dialog(owner);
        accepted = dialog.exec() == QDialog::Accepted;
    } // the template library is unloaded with the dialog
    if (accepted) {
        FinishNewProject();
    }
}

NewProjectDialog::NewProjectDialog(QWidget* owner) : OkCancelDialog(owner) {
    setObjectName("NewDocDlg");
    setWindowTitle(ToQt(Str(kStrNewProjectTitle)));
    if (g_templateLibraryLoader) {
        m_library = g_templateLibraryLoader();
    }

    m_kinds = new QListWidget;
    m_kinds->setObjectName("2001");
    m_kinds->setViewMode(QListView::IconMode);
    m_kinds->setIconSize(QSize(32, 32));
    m_kinds->setMovement(QListView::Static);
    m_kinds->setFlow(QListView::LeftToRight);
    m_kinds->setWrapping(false);
    m_kinds->setGridSize(QSize(110, 78));
    m_kinds->setFixedHeight(90);
    const int items[] = {kStrNewSevenBitItem, kStrNewFourteenBitItem, kStrNewTemplateItem};
    const int kinds = m_library ? 3 : 2; // the template kind only with its library
    for (int kind = 0; kind < kinds; ++kind) {
        auto* item = new QListWidgetItem(DocumentIcon(kind), ToQt(Str(items[kind])));
        item->setForeground(Qt::blue);
        item->setTextAlignment(Qt::AlignHCenter | Qt::AlignTop);
        item->setData(Qt::UserRole, kind);
        m_kinds->addItem(item);
    }

    m_description = new QLineEdit;
    m_description->setObjectName("2002");
    m_description->setReadOnly(true);

    m_count = new QLineEdit(QString::number(g_sliderCount));
    m_count->setObjectName("2003");
    m_count->setMaximumWidth(60);
    m_up = new QToolButton;
    m_up->setObjectName("2004up");
    m_up->setArrowType(Qt::UpArrow);
    m_down = new QToolButton;
    m_down->setObjectName("2004down");
    m_down->setArrowType(Qt::DownArrow);
    for (QToolButton* button : {m_up, m_down}) {
        button->setFixedSize(18, 12);
        button->setAutoRepeat(true);
    }
    auto* upDown = new QVBoxLayout;
    upDown->setSpacing(0);
    upDown->addWidget(m_up);
    upDown->addWidget(m_down);

    m_files = new QPushButton(ScriptIcon(), "");
    m_files->setObjectName("14004");
    m_files->setIconSize(QSize(24, 24));
    m_files->setToolTip(ToQt(Str(kStrProjectFilesTitle)));

    m_outputStatus = new QLabel(ToQt(g_midiOutputStatusText));
    m_outputStatus->setObjectName("2006");
    m_inputStatus = new QLabel(ToQt(g_midiInputStatusText));
    m_inputStatus->setObjectName("2007");

    auto* countRow = new QHBoxLayout;
    countRow->addWidget(new QLabel("Sliders:"));
    countRow->addWidget(m_count);
    countRow->addLayout(upDown);
    countRow->addStretch();
    countRow->addWidget(m_files);
    auto* status = new QVBoxLayout;
    status->addWidget(m_outputStatus);
    status->addWidget(m_inputStatus);
    // The device texts stand at the left of the button row.
    QHBoxLayout* buttons = ButtonRow();
    buttons->insertLayout(0, status);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_kinds);
    layout->addWidget(m_description);
    layout->addLayout(countRow);
    layout->addLayout(buttons);
    setMinimumWidth(380);

    connect(m_kinds, &QListWidget::currentRowChanged, this, [this] { KindChanged(); });
    connect(m_kinds, &QListWidget::itemActivated, this, [this] { accept(); });
    connect(m_up, &QToolButton::clicked, this, [this] { StepCount(1); });
    connect(m_down, &QToolButton::clicked, this, [this] { StepCount(-1); });
    connect(m_files, &QPushButton::clicked, this,
            [this] { AdditionalFilesDialog::Run(this, kProjectFilesRole); });

    // A remembered template kind without its library falls back to the first kind.
    const int kind = g_newPanelType >= 0 && g_newPanelType < m_kinds->count() ? g_newPanelType : 0;
    m_kinds->setCurrentRow(kind);
    KindChanged();
}

NewProjectDialog::~NewProjectDialog() = default;

int NewProjectDialog::SelectedKind() const {
    const QListWidgetItem* item = m_kinds->currentItem();
    return item ? item->data(Qt::UserRole).toInt() : kNewPanelSevenBit;
}

void NewProjectDialog::KindChanged() {
    const int kind = SelectedKind();
    const bool panel = kind != kNewPanelTemplate;
    for (QWidget* control : std::initializer_list<QWidget*>{m_count, m_up, m_down, m_files}) {
        control->setEnabled(panel);
    }
    if (panel) {
        m_countLimit = SliderCountLimit(kind);
    }
    m_description->setText(ToQt(NewProjectDescription(kind)));
}

// The up-down control steps the number in its field within its range, as a buddy control does.
void NewProjectDialog::StepCount(int step) {
    const std::optional<int> value = ParseSliderCount(FromQt(m_count->text()));
    int next = value ? *value + step : CountMinimum();
    next = std::clamp(next, CountMinimum(), CountMaximum());
    m_count->setText(QString::number(next));
}

void NewProjectDialog::accept() {
    switch (AcceptNewProject(SelectedKind(), FromQt(m_count->text()))) {
    case NewProjectChoice::Refused:
        return; // the warning was shown; the dialog stays for a new count
    case NewProjectChoice::ChooseTemplate:
        // The template dialog runs over this one, while the library is still loaded.
        if (m_library) {
            TemplatesDialog::Run(this, *m_library);
        } else {
            CancelTemplate();
        }
        break;
    case NewProjectChoice::PanelBuilt:
        break;
    }
    QDialog::accept();
}

void NewProjectDialog::reject() {
    CancelNewProject();
    QDialog::reject();
}
