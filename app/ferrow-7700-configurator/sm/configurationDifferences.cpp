#include "configurationDifferences.h"

#include <leafPaths.h>

#include <configuration.pb.h>

#include <QVariantMap>

namespace QKel::Sm {

namespace {

QVariantMap row(const QString& path, const QString& deviceValue, const QString& editorValue)
{
    return QVariantMap{{QStringLiteral("path"), path},
                       {QStringLiteral("deviceValue"), deviceValue},
                       {QStringLiteral("editorValue"), editorValue}};
}

QString described(const QByteArray& bytes, bool readable)
{
    return readable ? QStringLiteral("%1 bytes").arg(bytes.size())
                    : QStringLiteral("unreadable, %1 bytes").arg(bytes.size());
}

} // namespace

QVariantList ConfigurationDifferences::between(const QByteArray& device, const QByteArray& editor)
{
    using QKel::Frc::LeafPaths;
    if (device == editor)
        return {};
    Kel::Pb::Configuration::File held;
    Kel::Pb::Configuration::File edited;
    const bool heldReadable = held.ParsePartialFromArray(device.constData(), device.size());
    const bool editedReadable = edited.ParsePartialFromArray(editor.constData(), editor.size());
    // Bytes without leaves to compare still differ.
    if (!heldReadable || !editedReadable)
        return {row(QStringLiteral("(configuration)"), described(device, heldReadable), described(editor, editedReadable))};
    QVariantList rows;
    for (const auto& difference : LeafPaths::diff(held, edited, LeafPaths::Scope::WithoutDeviceInformation))
        rows.append(row(difference.path, difference.a, difference.b));
    return rows;
}

} // namespace QKel::Sm
