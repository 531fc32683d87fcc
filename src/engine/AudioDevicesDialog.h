#pragma once
// The modal dialog "Audio devices..." ("AudioDevicesDlg"): the wave input and output devices,
// each listed as "n - name", with the stored choice selected.

#include "base/DialogParts.h"

class QComboBox;
class QPushButton;
struct AudioDeviceLists;

class AudioDevicesDialog : public OkCancelDialog {
    Q_OBJECT
public:
    AudioDevicesDialog(QWidget* owner, const AudioDeviceLists& lists);
    // Lists the devices of g_audioDeviceCatalog (the platform's when none is installed).
    static void Run(QWidget* owner);

    QComboBox* InputList() const { return m_inputList; }
    QComboBox* OutputList() const { return m_outputList; }

public slots:
    void accept() override;

private:
    QComboBox* m_inputList = nullptr;
    QComboBox* m_outputList = nullptr;
};
