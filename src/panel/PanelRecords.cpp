#include "panel/PanelRecords.h"

#include "base/ByteCodec.h"

void EncodeSlider(const SliderRecord& slider, std::span<std::uint8_t, kSliderRecordSize> out) {
    ByteWriter w(out);
    // The name field is stored whole, bytes after the terminator included.
    w.PutBytes(std::span(reinterpret_cast<const std::uint8_t*>(slider.name.data()), kNameWidth));
    w.PutI32(slider.type);
    w.PutI32(slider.value);
    w.PutF32(slider.scaledValue);
    w.PutF32(slider.minValue);
    w.PutF32(slider.maxValue);
    w.PutI32(slider.channel);
    w.PutI32(slider.controller1);
    w.PutI32(slider.controller2);
    w.PutI32(slider.reserved);
    w.PutI32(slider.curve);
    w.PutI32(slider.locked);
}

SliderRecord DecodeSlider(std::span<const std::uint8_t, kSliderRecordSize> in) {
    ByteReader r(in);
    SliderRecord slider;
    r.GetBytes(std::span(reinterpret_cast<std::uint8_t*>(slider.name.data()), kNameWidth));
    slider.type = r.GetI32();
    slider.value = r.GetI32();
    slider.scaledValue = r.GetF32();
    slider.minValue = r.GetF32();
    slider.maxValue = r.GetF32();
    slider.channel = r.GetI32();
    slider.controller1 = r.GetI32();
    slider.controller2 = r.GetI32();
    slider.reserved = r.GetI32();
    slider.curve = r.GetI32();
    slider.locked = r.GetI32();
    return slider;
}

void EncodeSnapshot(const SnapshotRecord& snapshot,
                    std::span<std::uint8_t, kSnapshotRecordSize> out) {
    ByteWriter w(out);
    w.PutBytes(std::span(reinterpret_cast<const std::uint8_t*>(snapshot.name.data()), kNameWidth));
    for (std::int32_t v : snapshot.values) {
        w.PutI32(v);
    }
}

SnapshotRecord DecodeSnapshot(std::span<const std::uint8_t, kSnapshotRecordSize> in) {
    ByteReader r(in);
    SnapshotRecord snapshot;
    r.GetBytes(std::span(reinterpret_cast<std::uint8_t*>(snapshot.name.data()), kNameWidth));
    for (std::int32_t& v : snapshot.values) {
        v = r.GetI32();
    }
    return snapshot;
}
