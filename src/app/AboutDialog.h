#pragma once
// The About dialog: the "Splash" artwork over the top two thirds, the build label, the program's
// web and report addresses, Credits, System Info and OK.

#include <QDialog>

class QLabel;
class QPushButton;

class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* owner);
    static void Run(QWidget* owner);

    QLabel* BuildLabel() const { return m_build; }
    QPushButton* CreditsButton() const { return m_credits; }
    QPushButton* SystemInfoButton() const { return m_systemInfo; }
    QPushButton* OkButton() const { return m_ok; }
    // Where the artwork is drawn: the full width and the top two thirds.
    QRect ArtworkRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QLabel* m_build = nullptr;
    QPushButton* m_credits = nullptr;
    QPushButton* m_systemInfo = nullptr;
    QPushButton* m_ok = nullptr;
};
