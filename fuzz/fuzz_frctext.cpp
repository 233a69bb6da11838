// Users write the text form of configuration files by hand: reading any text
// must never crash, and whatever text reads must print to text that reads back
// to the very same record. Text may lack required fields (frctool refuses to
// write such a record), so records are compared in their partial encoding.
#include "configuration.pb.h"
#include "frcText.h"

#include <QString>
#include <QtGlobal>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<int>(size));
    Kel::Pb::Configuration::File record;
    QString error;
    if (!QKel::Frc::FrcText::fromText(text, &record, &error)) {
        if (error.isEmpty())
            abort();
        return 0;
    }
    Kel::Pb::Configuration::File reread;
    if (!QKel::Frc::FrcText::fromText(QKel::Frc::FrcText::toText(record), &reread, &error)
        || reread.SerializePartialAsString() != record.SerializePartialAsString())
        abort();
    return 0;
}
