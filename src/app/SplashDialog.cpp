#include "app/SplashDialog.h"

#include <QKeyEvent>
#include <QPainter>
#include <QTimer>
#include <QWindow>

#include "resources/Artwork.h"

namespace {
constexpr int kSplashMilliseconds = 3000;
const QSize kSplashSize(480, 300);
} // namespace

SplashDialog::SplashDialog(QWidget* owner, int milliseconds) : QDialog(owner) {
    setObjectName("SplashDlg");
    setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setWindowIcon(MainIcon());
    setFixedSize(kSplashSize);
    setModal(true);
    m_timer = new QTimer(this);
    m_timer->setSingleShot(true);
    m_timer->setInterval(milliseconds);
    connect(m_timer, &QTimer::timeout, this, &SplashDialog::Close);
    connect(this, &QDialog::finished, m_timer, &QTimer::stop);
}

int SplashDialog::Duration() {
    bool ok = false;
    const int value = qEnvironmentVariableIntValue("VENTARO_SPLASH_MS", &ok);
    return ok && value >= 0 ? value : kSplashMilliseconds;
}

void SplashDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    setFocus();
    m_timer->start();
}

void SplashDialog::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const qreal ratio = windowHandle() ? windowHandle()->devicePixelRatio() : devicePixelRatioF();
    p.drawPixmap(rect(), SplashPixmap(size(), ratio));
}

void SplashDialog::mousePressEvent(QMouseEvent*) {
    Close();
}

void SplashDialog::keyPressEvent(QKeyEvent*) {
    Close();
}

void SplashDialog::Close() {
    // Queued, so that the closing always ends the dialog's own loop, even for an event that
    // reached the dialog while it was still being shown.
    QMetaObject::invokeMethod(this, &QDialog::accept, Qt::QueuedConnection);
}
