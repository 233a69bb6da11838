// Configuration file bytes come from disk and from the device: loading and
// packing them must never crash, leak or misbehave, and whatever loads must
// pack into bytes that load again with the same entries.
#include "configuration.h"

#include <QByteArray>
#include <QtGlobal>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<int>(size));
    QKel::Pb::Configuration::File file;
    const bool loaded = file.load(bytes);
    const QByteArray packed = file.pack();
    if (!loaded)
        return 0;

    QKel::Pb::Configuration::File reloaded;
    if (!reloaded.load(packed) || reloaded.dataList().size() != file.dataList().size()
        || reloaded.productId() != file.productId())
        abort();
    return 0;
}
