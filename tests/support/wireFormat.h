#pragma once

#include <QByteArray>

namespace TarnTest {

// Protocol-buffers wire format: tags, varints and length-delimited fields.
class Wire
{
public:
    Wire& varint(int field, quint64 value)
    {
        tag(field, 0);
        raw(value);
        return *this;
    }

    Wire& bytes(int field, const QByteArray& value)
    {
        tag(field, 2);
        raw(static_cast<quint64>(value.size()));
        mBytes += value;
        return *this;
    }

    Wire& message(int field, const Wire& value) { return bytes(field, value.mBytes); }

    QByteArray encoded() const { return mBytes; }

private:
    void tag(int field, int wireType) { raw(static_cast<quint64>(field) << 3 | static_cast<quint64>(wireType)); }

    void raw(quint64 value)
    {
        while (value >= 0x80) {
            mBytes += static_cast<char>((value & 0x7F) | 0x80);
            value >>= 7;
        }
        mBytes += static_cast<char>(value);
    }

    QByteArray mBytes;
};

} // namespace TarnTest
