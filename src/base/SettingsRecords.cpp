#include "base/SettingsRecords.h"

#include "base/ByteCodec.h"

namespace {

bool IsFlag(std::int32_t v) {
    return v == 0 || v == 1;
}

bool IsToggle(std::int32_t v) {
    return v == 1 || v == -1;
}

// The platform's placement record always carries its own length; the show commands run 0..11.
bool IsPlacement(const WindowPlacement& p) {
    return p.length == 44 && p.showCmd >= 0 && p.showCmd <= 11;
}

template <std::size_t N> void GetChars(ByteReader& r, std::array<char, N>& field) {
    r.GetBytes(std::span(reinterpret_cast<std::uint8_t*>(field.data()), N));
    field[N - 1] = '\0'; // a field with no terminator inside its width is cut at its width
}

} // namespace

void EncodeWindowPlacement(const WindowPlacement& p, ByteWriter& w) {
    for (std::int32_t v : {p.length, p.flags, p.showCmd, p.minX, p.minY, p.maxX, p.maxY, p.left,
                           p.top, p.right, p.bottom}) {
        w.PutI32(v);
    }
}

WindowPlacement DecodeWindowPlacement(ByteReader& r) {
    WindowPlacement p;
    for (std::int32_t* v : {&p.length, &p.flags, &p.showCmd, &p.minX, &p.minY, &p.maxX, &p.maxY,
                            &p.left, &p.top, &p.right, &p.bottom}) {
        *v = r.GetI32();
    }
    return p;
}

Bytes EncodeGlobal(const GlobalRecord& g) {
    Bytes bytes(kGlobalRecordSize);
    ByteWriter w(bytes);
    for (std::int32_t v :
         {g.flashOnExit, g.smallButtons, g.panelToolTips, g.toolTipDelay, g.toolBarLook}) {
        w.PutI32(v);
    }
    return bytes;
}

std::optional<GlobalRecord> DecodeGlobal(const Bytes& bytes) {
    if (bytes.size() != kGlobalRecordSize) {
        return std::nullopt;
    }
    ByteReader r(bytes);
    GlobalRecord g;
    g.flashOnExit = r.GetI32();
    g.smallButtons = r.GetI32();
    g.panelToolTips = r.GetI32();
    g.toolTipDelay = r.GetI32();
    g.toolBarLook = r.GetI32();
    if (!IsFlag(g.flashOnExit) || !IsFlag(g.smallButtons) || !IsFlag(g.panelToolTips) ||
        g.toolTipDelay < 1 || g.toolTipDelay > 10000 ||
        (g.toolBarLook != 0 && g.toolBarLook != kFlatToolBar)) {
        return std::nullopt;
    }
    return g;
}

Bytes EncodeHelp(const HelpRecord& h) {
    Bytes bytes(kHelpRecordSize);
    ByteWriter w(bytes);
    w.PutText(TextOf(h.browser), kPathWidth);
    w.PutText(TextOf(h.helpFile), kPathWidth);
    return bytes;
}

std::optional<HelpRecord> DecodeHelp(const Bytes& bytes) {
    if (bytes.size() != kHelpRecordSize) {
        return std::nullopt;
    }
    ByteReader r(bytes);
    HelpRecord h;
    GetChars(r, h.browser);
    GetChars(r, h.helpFile);
    return h;
}

Bytes EncodeEditorPrefs(const EditorPrefsRecord& e) {
    Bytes bytes(kEditorPrefsRecordSize);
    ByteWriter w(bytes);
    const LogFontRecord& f = e.font;
    for (std::int32_t v : {f.height, f.width, f.escapement, f.orientation, f.weight}) {
        w.PutI32(v);
    }
    for (std::uint8_t v : {f.italic, f.underline, f.strikeOut, f.charSet, f.outPrecision,
                           f.clipPrecision, f.quality, f.pitchAndFamily}) {
        w.PutU8(v);
    }
    w.PutText(TextOf(f.faceName), f.faceName.size());
    w.PutI32(e.saveScriptsBeforeRun);
    return bytes;
}

std::optional<EditorPrefsRecord> DecodeEditorPrefs(const Bytes& bytes) {
    if (bytes.size() != kEditorPrefsRecordSize) {
        return std::nullopt;
    }
    ByteReader r(bytes);
    EditorPrefsRecord e;
    LogFontRecord& f = e.font;
    for (std::int32_t* v : {&f.height, &f.width, &f.escapement, &f.orientation, &f.weight}) {
        *v = r.GetI32();
    }
    for (std::uint8_t* v : {&f.italic, &f.underline, &f.strikeOut, &f.charSet, &f.outPrecision,
                            &f.clipPrecision, &f.quality, &f.pitchAndFamily}) {
        *v = r.GetU8();
    }
    GetChars(r, f.faceName);
    e.saveScriptsBeforeRun = r.GetI32();
    if (!IsFlag(e.saveScriptsBeforeRun) || f.weight < 0 || f.weight > 1000) {
        return std::nullopt;
    }
    return e;
}

Bytes EncodeFrameWindow(const FrameWindowRecord& record) {
    Bytes bytes(kFrameWindowRecordSize);
    ByteWriter w(bytes);
    EncodeWindowPlacement(record.placement, w);
    w.PutI32(record.alwaysOnTop);
    return bytes;
}

std::optional<FrameWindowRecord> DecodeFrameWindow(const Bytes& bytes) {
    if (bytes.size() != kFrameWindowRecordSize) {
        return std::nullopt;
    }
    ByteReader r(bytes);
    FrameWindowRecord record;
    record.placement = DecodeWindowPlacement(r);
    record.alwaysOnTop = r.GetI32();
    if (!IsToggle(record.alwaysOnTop) || !IsPlacement(record.placement)) {
        return std::nullopt;
    }
    return record;
}

Bytes EncodeBars(const BarsRecord& record) {
    Bytes bytes(kBarsRecordSize);
    ByteWriter w(bytes);
    w.PutI32(record.toolBarShown);
    w.PutI32(record.statusBarShown);
    return bytes;
}

std::optional<BarsRecord> DecodeBars(const Bytes& bytes) {
    if (bytes.size() != kBarsRecordSize) {
        return std::nullopt;
    }
    ByteReader r(bytes);
    BarsRecord record;
    record.toolBarShown = r.GetI32();
    record.statusBarShown = r.GetI32();
    if (!IsToggle(record.toolBarShown) || !IsToggle(record.statusBarShown)) {
        return std::nullopt;
    }
    return record;
}

Bytes EncodeToolWindow(const ToolWindowRecord& record, bool withFilter) {
    Bytes bytes(withFilter ? kMidiScopeRecordSize : kToolWindowRecordSize);
    ByteWriter w(bytes);
    EncodeWindowPlacement(record.placement, w);
    w.PutI32(record.open);
    if (withFilter) {
        w.PutI32(record.filterActiveSensing);
    }
    return bytes;
}

std::optional<ToolWindowRecord> DecodeToolWindow(const Bytes& bytes, bool withFilter) {
    if (bytes.size() != (withFilter ? kMidiScopeRecordSize : kToolWindowRecordSize)) {
        return std::nullopt;
    }
    ByteReader r(bytes);
    ToolWindowRecord record;
    record.placement = DecodeWindowPlacement(r);
    record.open = r.GetI32();
    if (withFilter) {
        record.filterActiveSensing = r.GetI32();
    }
    if (!IsFlag(record.open) || !IsFlag(record.filterActiveSensing) ||
        !IsPlacement(record.placement)) {
        return std::nullopt;
    }
    return record;
}

Bytes EncodeInt32(std::int32_t value) {
    Bytes bytes(4);
    ByteWriter w(bytes);
    w.PutI32(value);
    return bytes;
}

std::optional<std::int32_t> DecodeToggle(const Bytes& bytes) {
    if (bytes.size() != kKeyboardMappingSize) {
        return std::nullopt;
    }
    ByteReader r(bytes);
    const std::int32_t value = r.GetI32();
    return IsToggle(value) ? std::optional(value) : std::nullopt;
}
