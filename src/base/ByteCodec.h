#pragma once
// Little-endian encoding of fixed records, independent of the host's byte order and of the
// compiler's padding. Every record of the settings store and the project file goes through here.
// Neither end ever touches a byte outside its span: a read or write that does not fit marks the
// codec failed, and from then on reads yield zeros and writes write nothing, so that no field
// lands at the wrong offset.

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>

// Where a reader or writer stands in its span, and whether it stepped outside.
class ByteCursor {
public:
    std::size_t Position() const { return m_pos; }
    // False once a read or write did not fit.
    bool Ok() const { return !m_failed; }

protected:
    explicit ByteCursor(std::size_t size) : m_size(size) {}
    // Whether `n` more bytes fit; the cursor fails for good when they do not.
    bool Fits(std::size_t n) {
        m_failed = m_failed || n > m_size - m_pos;
        return !m_failed;
    }

    std::size_t m_pos = 0;

private:
    std::size_t m_size;
    bool m_failed = false;
};

class ByteWriter : public ByteCursor {
public:
    explicit ByteWriter(std::span<std::uint8_t> out) : ByteCursor(out.size()), m_out(out) {}

    void PutU8(std::uint8_t v) {
        if (Fits(1)) {
            m_out[m_pos++] = v;
        }
    }
    void PutU32(std::uint32_t v) {
        if (!Fits(4)) {
            return;
        }
        for (int i = 0; i < 4; ++i) {
            m_out[m_pos++] = static_cast<std::uint8_t>(v >> (8 * i));
        }
    }
    void PutI32(std::int32_t v) { PutU32(static_cast<std::uint32_t>(v)); }
    void PutF32(float v) { PutU32(std::bit_cast<std::uint32_t>(v)); }
    // A zero-terminated text zero-padded to `width` bytes; a longer text is cut so that the
    // terminator always fits.
    void PutText(std::string_view text, std::size_t width) {
        if (width == 0 || !Fits(width)) {
            return;
        }
        const std::size_t n = text.size() < width ? text.size() : width - 1;
        std::memcpy(m_out.data() + m_pos, text.data(), n);
        std::memset(m_out.data() + m_pos + n, 0, width - n);
        m_pos += width;
    }
    void PutBytes(std::span<const std::uint8_t> bytes) {
        if (bytes.empty() || !Fits(bytes.size())) {
            return;
        }
        std::memcpy(m_out.data() + m_pos, bytes.data(), bytes.size());
        m_pos += bytes.size();
    }

private:
    std::span<std::uint8_t> m_out;
};

// A read past the end yields zeros, and so does every read after it.
class ByteReader : public ByteCursor {
public:
    explicit ByteReader(std::span<const std::uint8_t> in) : ByteCursor(in.size()), m_in(in) {}

    std::uint8_t GetU8() { return Fits(1) ? m_in[m_pos++] : 0; }
    std::uint32_t GetU32() {
        if (!Fits(4)) {
            return 0;
        }
        std::uint32_t v = 0;
        for (int i = 0; i < 4; ++i) {
            v |= static_cast<std::uint32_t>(m_in[m_pos++]) << (8 * i);
        }
        return v;
    }
    std::int32_t GetI32() { return static_cast<std::int32_t>(GetU32()); }
    float GetF32() { return std::bit_cast<float>(GetU32()); }
    // Reads a text field of `width` bytes: up to its first zero, never past its width.
    std::string GetText(std::size_t width) {
        if (!Fits(width)) {
            return {};
        }
        const auto* begin = reinterpret_cast<const char*>(m_in.data() + m_pos);
        const void* zero = std::memchr(begin, 0, width);
        const std::size_t n =
            zero ? static_cast<std::size_t>(static_cast<const char*>(zero) - begin) : width;
        m_pos += width;
        return std::string(begin, n);
    }
    void GetBytes(std::span<std::uint8_t> out) {
        if (!Fits(out.size())) {
            std::fill(out.begin(), out.end(), std::uint8_t{0});
            return;
        }
        if (!out.empty()) {
            std::memcpy(out.data(), m_in.data() + m_pos, out.size());
        }
        m_pos += out.size();
    }

private:
    std::span<const std::uint8_t> m_in;
};

// Copies a text into a fixed character field, cut to leave room for the terminator.
template <std::size_t N> void SetText(std::array<char, N>& field, std::string_view text) {
    const std::size_t n = text.size() < N ? text.size() : N - 1;
    std::memcpy(field.data(), text.data(), n);
    std::memset(field.data() + n, 0, N - n);
}

// The text of a fixed character field, up to its terminator or its width.
template <std::size_t N> std::string_view TextOf(const std::array<char, N>& field) {
    const void* zero = std::memchr(field.data(), 0, N);
    return std::string_view(
        field.data(),
        zero ? static_cast<std::size_t>(static_cast<const char*>(zero) - field.data()) : N);
}
