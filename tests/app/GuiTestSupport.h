#pragma once
// What the Qt tests of the program share: a settings folder of their own per start, the
// program over the platform's MIDI service with scripted answers, the modal windows answered
// from a timer, and a screenshot of every window a test opens.

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

#include "app/FileSettingsStore.h"
#include "app/Program.h"
#include "app/SettingsKeys.h"
#include "midi/MidiDevices.h"
#include "midi/PlatformMidiService.h"

#ifndef VENTARO_SCREENSHOT_DIR
#define VENTARO_SCREENSHOT_DIR "screenshots"
#endif

// Saves the window as <build>/screenshots/<name>.png.
inline void SaveScreenshot(QWidget* window, const QString& name) {
    QCoreApplication::sendPostedEvents(); // pending layouts first
    QDir().mkpath(VENTARO_SCREENSHOT_DIR);
    const QString file = QString(VENTARO_SCREENSHOT_DIR) + "/" + name + ".png";
    QVERIFY2(window->grab().save(file), qPrintable("cannot write " + file));
}

// Runs `action` once on the next modal window, from inside that window's own loop.
inline void WhenModal(std::function<void(QWidget*)> action) {
    auto* timer = new QTimer(qApp);
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, action] {
        // Only from inside the window's own loop: a timer can also fire while the window is
        // still being shown, and closing it then would leave its loop running.
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal->isVisible() && QThread::currentThread()->loopLevel() > 0) {
            timer->stop();
            timer->deleteLater();
            action(modal);
        }
    });
    timer->start();
}

// Closes a window once its own loop runs (closing it while it is being shown would leave the
// loop running with the window gone).
inline void CloseInItsLoop(QWidget* window) {
    auto* timer = new QTimer(window);
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, window, [timer, window] {
        if (QThread::currentThread()->loopLevel() > 0) {
            timer->stop();
            window->close();
        }
    });
    timer->start();
}

// A settings and data folder of its own, standing for the user's ~/.config and ~/.local/share.
class TestHome {
public:
    TestHome() {
        qputenv("XDG_CONFIG_HOME", QByteArray(m_dir.path().toUtf8() + "/config"));
        qputenv("XDG_DATA_HOME", QByteArray(m_dir.path().toUtf8() + "/data"));
    }
    std::filesystem::path ConfigRoot() const {
        return std::filesystem::path(m_dir.path().toStdString()) / "config";
    }
    // The bytes of a stored value, empty when it is missing.
    QByteArray Value(const char* key, const char* name) const {
        FileSettingsStore store(ConfigRoot());
        const auto bytes = store.ReadValue(key, name, 1 << 16);
        return bytes ? QByteArray(reinterpret_cast<const char*>(bytes->data()),
                                  static_cast<qsizetype>(bytes->size()))
                     : QByteArray();
    }
    void Put(const char* key, const char* name, const Bytes& value) const {
        FileSettingsStore store(ConfigRoot());
        QVERIFY(store.CreateKey(key));
        QVERIFY(store.WriteValue(key, name, value));
    }
    // A stored device choice: the Loopback output, input off.
    void ChooseLoopback() const {
        const int loopback = CreatePlatformMidiService()->OutputCount() - 1;
        Put(kSettingsKey, kValueMidiDevices, EncodeMidiDeviceSettings({0, loopback, -1}));
    }

private:
    QTemporaryDir m_dir;
};

// One start of the program in this folder, with every message box answered by script.
inline std::unique_ptr<Program> MakeProgram(const TestHome& home) {
    auto program = std::make_unique<Program>(home.ConfigRoot(), CreatePlatformMidiService);
    program->ProgramUi().SetScripted(true);
    return program;
}

inline QByteArray Int32Bytes(std::int32_t value) {
    QByteArray bytes(4, '\0');
    for (int i = 0; i < 4; ++i) {
        bytes[i] = static_cast<char>((static_cast<std::uint32_t>(value) >> (8 * i)) & 0xFF);
    }
    return bytes;
}
