// The yardstick of the start-up benchmark: the smallest Qt Widgets program with one window,
// reporting its first paint the way the program does.

#include <QApplication>
#include <QPainter>
#include <QWidget>
#include <cstdio>

// A window with a line of text, as every real window has: fonts are part of any start.
class Window : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::darkBlue);
        painter.setPen(Qt::white);
        painter.drawText(rect(), Qt::AlignCenter, "Hello, Qt");
        if (!m_painted) {
            m_painted = true;
            std::fputs("first-paint\n", stdout);
            std::fflush(stdout);
        }
    }

private:
    bool m_painted = false;
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    Window window;
    window.setWindowTitle("minimal");
    window.showMaximized();
    window.repaint();
    return QApplication::exec();
}
