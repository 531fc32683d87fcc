// A fast drag across the gesture pad of the real window (offscreen), with the left button down,
// over 16 and over 128 14-bit sliders, the blends going through the program's MIDI service to a
// JACK port on a private JACK server (dummy driver, 48 kHz). The pointer events come through
// Qt's own delivery (QTest), from a 1 ms timer (the fastest mice send 1000 a second) and then as
// fast as the window takes them. Per run: the pointer events the window received, the blends
// that reached the port whole, those passed over while the port was full (the latest one waits
// and goes), any message outside a whole blend, and the window's time per event.
// A plain program. Run: bench/gesture_drag_bench [PERIOD] (frames per cycle, 64 unless given).

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "BenchToolHost.h"
#include "base/AllState.h"
#include "base/CommandIds.h"
#include "midi/JackPeer.h"
#include "midi/JackServer.h"
#include "midi/MidiDevices.h"
#include "midi/PlatformMidiService.h"
#include "panel/PanelState.h"
#include "snapshots/SnapshotState.h"
#include "snapshots/Snapshots.h"
#include "tools/Gesture.h"
#include "tools/GestureWindow.h"

namespace {

constexpr int kRate = 48000;
constexpr int kEvents = 2000; // pointer moves of one drag

std::int64_t NowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// The receiving port: counts the messages and keeps the last value of each controller.
struct Arrivals {
    std::atomic<std::uint64_t> messages{0};
    std::atomic<std::int64_t> lastNs{0};
    std::array<std::atomic<std::uint8_t>, 16 * 128> values{};
};

void Receive(void* user, jack_client_t*, jack_port_t* const* ports, jack_nframes_t frames) {
    Arrivals& arrivals = *static_cast<Arrivals*>(user);
    void* buffer = jack_port_get_buffer(ports[0], frames);
    const std::uint32_t count = jack_midi_get_event_count(buffer);
    for (std::uint32_t i = 0; i < count; ++i) {
        jack_midi_event_t event;
        if (jack_midi_event_get(&event, buffer, i) == 0 && event.size == 3 &&
            (event.buffer[0] & 0xF0) == 0xB0) {
            arrivals.values[(event.buffer[0] & 0x0F) * 128 + event.buffer[1]].store(
                event.buffer[2], std::memory_order_relaxed);
        }
    }
    if (count > 0) {
        arrivals.messages.fetch_add(count);
        arrivals.lastNs.store(NowNs());
    }
}

void Fail(const char* text) {
    std::fprintf(stderr, "gesture_drag_bench: %s\n", text);
    std::exit(1);
}

// A panel of `count` 14-bit sliders and four snapshots of different positions at the corners.
void SetUpPanel(int count) {
    ResetAllState();
    g_sliderCount = count;
    for (int i = 0; i < count; ++i) {
        SetDefaultSlider(i, true);
        // Each slider on controllers of its own, so the port's last values show every slider.
        SliderRecord& slider = g_sliders[static_cast<std::size_t>(i)];
        slider.channel = i / 32;
        slider.controller1 = i % 32;
        slider.controller2 = i % 32 + 32;
    }
    for (int n = 1; n <= 4; ++n) {
        for (int i = 0; i < count; ++i) {
            g_sliders[static_cast<std::size_t>(i)].value = (n * 4099 + i * 127) % 16384;
        }
        AddPanelSnapshot();
    }
    g_gestureSnapshots = {0, 1, 2, 3};
}

// Whether the port's last values are the panel's: the last blend arrived whole.
bool LastBlendArrived(const Arrivals& arrivals) {
    for (int i = 0; i < g_sliderCount; ++i) {
        const SliderRecord& slider = g_sliders[static_cast<std::size_t>(i)];
        const int at = slider.channel * 128;
        const int value = slider.value;
        if (arrivals.values[static_cast<std::size_t>(at + slider.controller1)].load() !=
                (value >> 7) ||
            arrivals.values[static_cast<std::size_t>(at + slider.controller2)].load() !=
                (value & 0x7F)) {
            return false;
        }
    }
    return true;
}

// Counts the pointer events that reach the window, and its time in each.
class EventTimer : public QObject {
public:
    std::uint64_t received = 0;
    std::vector<std::int64_t> spentNs;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if ((event->type() == QEvent::MouseMove || event->type() == QEvent::MouseButtonPress) &&
            (static_cast<QMouseEvent*>(event)->buttons() & Qt::LeftButton)) {
            ++received;
        }
        return false;
    }
};

struct Run {
    const char* pace;
    int sliders;
};

} // namespace

int main(int argc, char** argv) {
    if (qgetenv("QT_QPA_PLATFORM").isEmpty()) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    const int period = argc > 1 ? std::atoi(argv[1]) : 64;
    if (period < 16 || period > 4096) {
        Fail("the period is 16 to 4096 frames");
    }
    JackServer server(kRate, period, true);
    if (std::system("command -v jackd >/dev/null") != 0 || !server.Start()) {
        Fail("no private JACK server");
    }
    std::printf("Private JACK server (pid %d): jackd --no-realtime -S -d dummy -r %d -p %d\n",
                static_cast<int>(server.Pid()), kRate, period);
    Arrivals arrivals;
    JackPeerClient receiver;
    if (!receiver.Open("bench-recv", false, {"in"}, Receive, &arrivals)) {
        Fail("the receiving JACK client could not be opened");
    }
    std::unique_ptr<MidiService> service = CreatePlatformMidiService();
    int output = -1;
    for (int i = 0; i < service->OutputCount(); ++i) {
        output = service->OutputName(i) == receiver.PortName(0) ? i : output;
    }
    if (output < 0 || service->OpenOutput(output) != kMidiOk) {
        Fail("the service's output to the receiving port could not be opened");
    }

    std::printf(
        "\n| sliders | pace | pointer events received | blends at the port | passed over "
        "| messages outside whole blends | dropped | last blend whole | blends a second at "
        "the port | window per event, median / max |\n|---|---|---|---|---|---|---|---|---|---|\n");
    for (const Run run :
         {Run{"1 ms timer", 16}, Run{"1 ms timer", 128}, Run{"unpaced", 16}, Run{"unpaced", 128}}) {
        const bool paced = run.pace[0] == '1';
        SetUpPanel(run.sliders);
        g_midiService = service.get();
        BenchToolHost host;
        RegisterGestureWindow(host);
        host.ToggleToolWindow(kCmdGestureWindow);
        auto* window = static_cast<GestureWindow*>(host.VisibleToolWindow(kCmdGestureWindow));
        if (!window || !QTest::qWaitForWindowExposed(window)) {
            Fail("the gesture window did not show");
        }
        window->resize(406, window->height());
        EventTimer timer;
        window->installEventFilter(&timer);
        app.processEvents();
        const QPoint origin = window->Pad()->pos() + QPoint(2, 2);
        const int height = window->Pad()->ClientBottom() - 2;
        const std::uint64_t droppedBefore = service->DroppedMessages();
        const std::uint64_t arrivedBefore = arrivals.messages.load();

        const std::int64_t start = NowNs();
        QTest::mousePress(window, Qt::LeftButton, Qt::NoModifier, origin);
        int sent = 0;
        // A zigzag, one new pixel each event, so every blend differs from the one before.
        const auto move = [&] {
            const QPoint at = origin + QPoint(sent % 400, (sent / 400 * 37 + sent) % height);
            const std::int64_t before = NowNs();
            QTest::mouseMove(window, at);
            timer.spentNs.push_back(NowNs() - before);
            ++sent;
        };
        if (paced) {
            QTimer tick;
            tick.setTimerType(Qt::PreciseTimer);
            QObject::connect(&tick, &QTimer::timeout, move);
            tick.start(1);
            while (sent < kEvents) {
                app.processEvents(QEventLoop::WaitForMoreEvents);
            }
        } else {
            while (sent < kEvents) {
                move();
                app.processEvents();
            }
        }
        QTest::mouseRelease(window, Qt::LeftButton, Qt::NoModifier, origin);
        // The blends that waited for room go out, then the port has everything.
        QElapsedTimer settle;
        settle.start();
        while (g_gesture.blendWaiting && settle.elapsed() < 5000) {
            app.processEvents(QEventLoop::AllEvents, 10);
        }
        QTest::qWait(200);
        const std::uint64_t arrived = arrivals.messages.load() - arrivedBefore;
        const double seconds = static_cast<double>(arrivals.lastNs.load() - start) / 1e9;
        std::vector<std::int64_t> spent = timer.spentNs;
        std::sort(spent.begin(), spent.end());
        const std::uint64_t perBlend = 2 * static_cast<std::uint64_t>(run.sliders);
        const std::uint64_t blends = arrived / perBlend;
        std::printf(
            "| %d | %s | %llu | %llu | %llu | %llu | %llu | %s | %.0f | %.1f µs / %.1f µs |\n",
            run.sliders, run.pace, static_cast<unsigned long long>(timer.received),
            static_cast<unsigned long long>(blends),
            static_cast<unsigned long long>(timer.received - blends),
            static_cast<unsigned long long>(arrived % perBlend),
            static_cast<unsigned long long>(service->DroppedMessages() - droppedBefore),
            LastBlendArrived(arrivals) ? "yes" : "no", static_cast<double>(blends) / seconds,
            static_cast<double>(spent[spent.size() / 2]) / 1000.0,
            static_cast<double>(spent.back()) / 1000.0);
        std::fflush(stdout);
        window->removeEventFilter(&timer);
        host.ToggleToolWindow(kCmdGestureWindow);
        delete window;
        g_midiService = nullptr;
    }
    service->CloseOutput();
    return 0;
}
