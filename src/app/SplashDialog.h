#pragma once
// The splash screen "SplashDlg": the "Splash" bitmap over the whole dialog, on top of every
// window, closed by its timer (3000 ms), a mouse button or a key.

#include <QDialog>

class QTimer;

class SplashDialog : public QDialog {
    Q_OBJECT
public:
    // `milliseconds` is how long it stays when nobody closes it.
    SplashDialog(QWidget* owner, int milliseconds);

    // The time the splash stays: 3000 ms, or the value of VENTARO_SPLASH_MS (0 shows none).
    static int Duration();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void Close();

    QTimer* m_timer = nullptr;
};
