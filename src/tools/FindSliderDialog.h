#pragma once
// The modal dialog "Find slider...": a criterion, a text, the matching sliders as rows, and a
// double click that edits a row's slider and shows its new summary in the same row.

#include <QDialog>

class QComboBox;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class ToolWindowHost;

class FindSliderDialog : public QDialog {
    Q_OBJECT
public:
    explicit FindSliderDialog(QWidget* owner);

    QComboBox* CriteriaList() const { return m_criteria; }
    QLineEdit* TextEdit() const { return m_text; }
    QListWidget* Results() const { return m_results; }
    QPushButton* SearchButton() const { return m_search; }

private:
    void Search();
    void EditRow(QListWidgetItem* item);

    QComboBox* m_criteria;
    QLineEdit* m_text;
    QListWidget* m_results;
    QPushButton* m_search;
};

// Ctrl+F and the Edit menu's item open the dialog over the frame.
void RegisterFindSlider(ToolWindowHost& host);
