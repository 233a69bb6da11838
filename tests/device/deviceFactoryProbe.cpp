// Runs the device factory once in a process of its own, from wherever this
// executable has been copied, and prints what it saw as JSON on standard output:
// the two lists, every warning in order, the debug lines written during the
// scan (test drivers announce their destruction), and for each product ID on
// the command line the name of the device created (empty when none was).

#include "deviceFactory.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

namespace {

QStringList warnings;
QStringList debugLines;

void collect(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtWarningMsg)
        warnings.append(message);
    else if (type == QtDebugMsg)
        debugLines.append(message);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    qInstallMessageHandler(collect);

    auto* factory = QKel::Device::DeviceFactory::instance();
    const QStringList scanDebugLines = debugLines;
    QJsonObject created;
    for (const QString& id : app.arguments().mid(1)) {
        const auto device = factory->createDevice(id);
        created.insert(id, device ? device->name() : QString());
    }

    const QJsonObject out{
        {"names", QJsonArray::fromStringList(factory->supportedDeviceNames())},
        {"productIds", QJsonArray::fromStringList(factory->supportedDeviceProductIds())},
        {"warnings", QJsonArray::fromStringList(warnings)},
        {"scanDebug", QJsonArray::fromStringList(scanDebugLines)},
        {"created", created}};
    QTextStream(stdout) << QJsonDocument(out).toJson(QJsonDocument::Compact);
    return 0;
}
