#include "app/PreferencesDialog.h"

#include <QCheckBox>
#include <QFontDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/AboutDialog.h"
#include "app/SpecialFeaturesDialog.h"
#include "base/ByteCodec.h"
#include "base/CommandIds.h"
#include "base/CommandRouter.h"
#include "base/DialogParts.h"
#include "base/Preferences.h"
#include "base/QtFont.h"
#include "base/QtText.h"
#include "resources/Strings.h"
#include "scripts/ScriptEditorWindow.h"

namespace {

constexpr int kPathEditWidth = 320;
constexpr int kDelayDigits = 9; // anything longer is clamped to 10000 anyway

QString PathOf(const std::array<char, kPathWidth>& field) {
    return ToQt(std::string(TextOf(field)));
}

} // namespace

PreferencesDialog::PreferencesDialog(QWidget* owner) : QDialog(owner) {
    setWindowTitle(ToQt(Str(kStrPreferencesTitle)));
    m_pages = new QTabWidget(this);
    m_pages->addTab(MakeGlobalPage(), ToQt(Str(kStrPageGlobal)));
    m_pages->addTab(MakeHelpPage(), ToQt(Str(kStrPageHelp)));
    m_pages->addTab(MakeEditorPage(), ToQt(Str(kStrPageEditor)));
    // The first page opens with the sheet; the others once the user turns to them.
    m_sheet.OpenPage(kPageGlobal);
    connect(m_pages, &QTabWidget::currentChanged, this,
            [this](int page) { m_sheet.OpenPage(static_cast<PreferencePage>(page)); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);
    layout->addLayout(OkCancelRow(m_ok, m_cancel));
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
}

QWidget* PreferencesDialog::MakeGlobalPage() {
    auto* page = new QWidget;
    auto* layout = new QGridLayout(page);
    const int labels[] = {kStrNoFlashOnExit, kStrSmallButtons, kStrCoolBar, kStrPanelToolTips};
    for (int flag = kFlagNoFlash; flag <= kFlagPanelToolTips; ++flag) {
        const auto which = static_cast<GlobalFlag>(flag);
        auto* box = new QCheckBox(ToQt(Str(labels[flag])));
        box->setChecked(PreferencesSheet::FlagChecked(which));
        connect(box, &QCheckBox::clicked, this, [this, box, which] {
            PreferencesSheet::FlipFlag(which);
            box->setChecked(PreferencesSheet::FlagChecked(which));
            if (which == kFlagPanelToolTips) {
                m_delay->setEnabled(box->isChecked());
            }
        });
        m_globalBoxes[flag] = box;
        layout->addWidget(box, flag, 0);
    }
    m_delay = new QLineEdit(QString::number(g_preferences.global.toolTipDelay));
    m_delay->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]{0,%1}").arg(kDelayDigits)), m_delay));
    m_delay->setMaximumWidth(m_delay->fontMetrics().horizontalAdvance(QStringLiteral("0")) * 8);
    m_delay->setEnabled(PreferencesSheet::FlagChecked(kFlagPanelToolTips));
    layout->addWidget(m_delay, kFlagPanelToolTips, 1);
    layout->setRowStretch(kFlagPanelToolTips + 1, 1);
    layout->setColumnStretch(2, 1);
    return page;
}

QWidget* PreferencesDialog::MakeHelpPage() {
    auto* page = new QWidget;
    auto* layout = new QGridLayout(page);
    m_browser = new QLineEdit(PathOf(g_preferences.help.browser));
    m_helpFile = new QLineEdit(PathOf(g_preferences.help.helpFile));
    QLineEdit* edits[] = {m_browser, m_helpFile};
    const int labels[] = {kStrBrowserLabel, kStrHelpFileLabel};
    for (int row = 0; row < 2; ++row) {
        edits[row]->setMinimumWidth(kPathEditWidth);
        auto* browse = new QPushButton(ToQt(Str(kStrBrowse)));
        connect(browse, &QPushButton::clicked, this, [this, row] {
            if (row == 0 ? PreferencesSheet::BrowseBrowser() : PreferencesSheet::BrowseHelpFile()) {
                m_browser->setText(PathOf(g_preferences.help.browser));
                m_helpFile->setText(PathOf(g_preferences.help.helpFile));
            }
        });
        layout->addWidget(new QLabel(ToQt(Str(labels[row]))), row * 2, 0, 1, 2);
        layout->addWidget(edits[row], row * 2 + 1, 0);
        layout->addWidget(browse, row * 2 + 1, 1);
    }
    layout->setRowStretch(4, 1);
    return page;
}

QWidget* PreferencesDialog::MakeEditorPage() {
    auto* page = new QWidget;
    auto* layout = new QGridLayout(page);
    m_fontSample = new QLabel;
    m_fontSample->setFrameShape(QFrame::StyledPanel);
    m_fontSample->setMinimumHeight(48);
    m_changeFont = new QPushButton(ToQt(Str(kStrChangeFont)));
    connect(m_changeFont, &QPushButton::clicked, this, &PreferencesDialog::ChangeFont);
    m_saveScripts = new QCheckBox(ToQt(Str(kStrSaveScriptsBeforeRun)));
    m_saveScripts->setChecked(g_preferences.editor.saveScriptsBeforeRun == 1);
    connect(m_saveScripts, &QCheckBox::clicked, this, [this] {
        PreferencesSheet::FlipSaveScripts();
        m_saveScripts->setChecked(g_preferences.editor.saveScriptsBeforeRun == 1);
    });
    layout->addWidget(m_fontSample, 0, 0);
    layout->addWidget(m_changeFont, 0, 1, Qt::AlignTop);
    layout->addWidget(m_saveScripts, 1, 0, 1, 2);
    layout->setRowStretch(2, 1);
    layout->setColumnStretch(0, 1);
    ShowFont();
    return page;
}

void PreferencesDialog::ShowFont() {
    const LogFontRecord& font = g_preferences.editor.font;
    m_fontSample->setText(ToQt(std::string(TextOf(font.faceName))));
    m_fontSample->setFont(FontOfRecord(font));
}

void PreferencesDialog::ChangeFont() {
    bool chosen = false;
    const QFont font = QFontDialog::getFont(&chosen, FontOfRecord(g_preferences.editor.font), this,
                                            ToQt(Str(kStrPageEditor)));
    if (chosen) {
        PreferencesSheet::SetEditorFont(RecordOfFont(font));
        ShowFont();
    }
}

void PreferencesDialog::accept() {
    const PreferencesSheet::Fields fields{FromQt(m_delay->text()), FromQt(m_browser->text()),
                                          FromQt(m_helpFile->text())};
    if (!m_sheet.Confirm(fields, &m_followUp)) {
        return;
    }
    QDialog::accept();
}

void PreferencesDialog::reject() {
    m_sheet.Cancel();
    QDialog::reject();
}

void PreferencesDialog::Run(QWidget* owner) {
    PreferencesDialog dialog(owner);
    if (dialog.exec() == QDialog::Accepted && dialog.FollowUp().refreshEditorFont) {
        RefreshScriptEditorFont();
    }
}

void RegisterFrameDialogs(QWidget* owner) {
    RouteCommand(kCmdPreferences, [owner] { PreferencesDialog::Run(owner); });
    RouteCommand(kCmdSpecialFeatures, [owner] { SpecialFeaturesDialog::Run(owner); });
    RouteCommand(kCmdAbout, [owner] { AboutDialog::Run(owner); });
}
