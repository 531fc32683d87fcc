// The tool windows on a real X server with a window manager (WithDesktop.sh), owned by the frame.

#include "GuiTestSupport.h"
#include "base/CommandIds.h"
#include "base/WindowGeometry.h"
#include "project/NewProject.h"

namespace {

QString Id(const QWidget* window) {
    return "0x" + QString::number(window->winId(), 16);
}

// A property of a window (or of the root window) as xprop prints it.
QString Property(const QString& window, const char* name) {
    QProcess xprop;
    xprop.start("xprop",
                window == "root" ? QStringList{"-root", name} : QStringList{"-id", window, name});
    xprop.waitForFinished(5000);
    return QString::fromUtf8(xprop.readAllStandardOutput());
}

// The window manager's clients from the bottom of the stack to its top.
QStringList Stacking() {
    const QString text = Property("root", "_NET_CLIENT_LIST_STACKING");
    QStringList ids;
    for (const QString& id : text.section('#', 1).split(',', Qt::SkipEmptyParts)) {
        ids << "0x" + QString::number(id.trimmed().toULongLong(nullptr, 16), 16);
    }
    return ids;
}

bool Above(const QWidget* upper, const QWidget* lower) {
    const QStringList stack = Stacking();
    return stack.indexOf(Id(upper)) > stack.indexOf(Id(lower)) && stack.contains(Id(lower));
}

// A click as a user makes it, through the server and the window manager.
void ClickAt(const QPoint& global) {
    QProcess::execute("xdotool", {"mousemove", "--sync", QString::number(global.x()),
                                  QString::number(global.y()), "click", "1"});
}

} // namespace

class DesktopTest : public GuiTest {
    Q_OBJECT

private slots:
    void toolWindowsStayAboveTheFrameOpenInItsFreeAreaAndGoWithIt() {
        Window()->showMaximized();
        QVERIFY(QTest::qWaitForWindowExposed(Window()));
        QTRY_VERIFY(Window()->isMaximized());
        QCOMPARE(AcceptNewProject(0, "16"), NewProjectChoice::PanelBuilt);
        FinishNewProject();
        if (!Window()->IsToolWindowOpen(kCmdVirtualPanel)) {
            Window()->OnCommand(kCmdVirtualPanel);
        }
        Window()->OnCommand(kCmdScriptEditor);
        QWidget* panel = Window()->ToolWindow(kCmdVirtualPanel);
        QWidget* editor = Window()->ToolWindow(kCmdScriptEditor);
        QVERIFY(panel && editor);
        QVERIFY(QTest::qWaitForWindowExposed(panel) && QTest::qWaitForWindowExposed(editor));

        const QRect screen = Window()->screen()->availableGeometry();
        const int freeTop = Window()->mapToGlobal(QPoint(0, MainWindowFreeArea().top)).y();
        const int statusTop = Window()->mapToGlobal(QPoint(0, Window()->height())).y() -
                              MainWindowFreeArea().statusBarHeight;
        for (QWidget* tool : {panel, editor}) {
            const QRect frame = tool->frameGeometry();
            QVERIFY2(Property(Id(tool), "WM_TRANSIENT_FOR").contains(Id(Window())) &&
                         frame.top() >= freeTop && frame.bottom() < statusTop &&
                         screen.contains(frame),
                     qPrintable(tool->objectName())); // the status bar stays in sight
            QTRY_VERIFY(Above(tool, Window()));
        }

        // A click on the frame's free area, right of both tool windows, raises the frame only.
        const QRect tools = panel->frameGeometry().united(editor->frameGeometry());
        ClickAt({(tools.right() + screen.right()) / 2, (freeTop + screen.bottom()) / 2});
        QTRY_COMPARE(QApplication::activeWindow(), Window());
        QTest::qWait(200);
        QVERIFY(Above(panel, Window()) && Above(editor, Window()));

        // A message box hides neither, and is wide enough for its whole caption.
        bool hidden = true;
        int spare = 0;
        Ui().onShown = [&](QWidget* box) {
            QTest::qWait(300);
            hidden = !Above(panel, Window()) || !Above(editor, Window());
            QFont bold = box->font();
            bold.setBold(true);
            spare = box->width() - QFontMetrics(bold).horizontalAdvance(box->windowTitle());
        };
        Ui().ShowMessage("OK", MessageIcon::Information, MessageButtons::Ok);
        Ui().onShown = nullptr;
        QVERIFY(!hidden);
        QVERIFY2(spare >= 60, qPrintable(QString::number(spare)));

        Window()->showMinimized();
        QTRY_VERIFY(Property(Id(panel), "_NET_WM_STATE").contains("_NET_WM_STATE_HIDDEN"));
        QTRY_VERIFY(Property(Id(editor), "_NET_WM_STATE").contains("_NET_WM_STATE_HIDDEN"));
    }
};

QTEST_MAIN(DesktopTest)
#include "DesktopTest.moc"
