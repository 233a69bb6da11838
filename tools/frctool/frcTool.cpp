#include "frcTool.h"

#include "frcText.h"

#include <configuration.h>
#include <configuration.pb.h>
#include <deviceFactory.h>
#include <safeFileWriter.h>

#include <QFile>

namespace QKel::FrcTool {

namespace {

using LoadError = QKel::Pb::Configuration::File::LOAD_ERROR;

QString hex(quint32 value)
{
    return QStringLiteral("0x%1").arg(value, 4, 16, QLatin1Char('0'));
}

// What stands between a file and the program loading it, by load error.
QString loadErrorText(LoadError error, const QKel::Pb::Configuration::File& file)
{
    switch (error) {
    case QKel::Pb::Configuration::File::LOAD_ERROR__VERSION_OBSOLETE:
        return QStringLiteral("version %1 is obsolete").arg(file.version());
    case QKel::Pb::Configuration::File::LOAD_ERROR__VERSION_MISMATCH:
        return QStringLiteral("version %1 is not supported (expected 1)").arg(file.version());
    case QKel::Pb::Configuration::File::LOAD_ERROR__CHECKSUM:
        return QStringLiteral("checksum %1 does not match the content").arg(hex(file.checksum()));
    case QKel::Pb::Configuration::File::LOAD_ERROR__PARSE:
        return QStringLiteral("not a configuration file (it does not parse)");
    default:
        return QStringLiteral("unknown load error %1").arg(int(error));
    }
}

} // namespace

const QString FrcTool::USAGE = QStringLiteral(
    "Usage:\n"
    "  frctool dump FILE               print FILE as text\n"
    "  frctool check FILE              report whether the configurator loads FILE\n"
    "  frctool build TEXT FILE         write FILE from the text form in TEXT\n"
    "  frctool new PRODUCT_ID FILE     write the default configuration of a product\n");

FrcTool::FrcTool(QTextStream& out, QTextStream& err)
    : mOut(out)
    , mErr(err)
{
}

int FrcTool::run(const QStringList& arguments)
{
    const QString command = arguments.value(0);
    const int operands = arguments.size() - 1;
    if (command == QLatin1String("dump") && operands == 1)
        return dump(arguments[1]);
    if (command == QLatin1String("check") && operands == 1)
        return check(arguments[1]);
    if (command == QLatin1String("build") && operands == 2)
        return build(arguments[1], arguments[2]);
    if (command == QLatin1String("new") && operands == 2)
        return createNew(arguments[1], arguments[2]);
    mErr << USAGE;
    mErr.flush();
    return 2;
}

int FrcTool::fail(const QString& message)
{
    mErr << "frctool: " << message << "\n";
    mErr.flush();
    return 1;
}

bool FrcTool::readFile(const QString& path, QByteArray* bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        fail(QStringLiteral("cannot read %1: %2").arg(path, file.errorString()));
        return false;
    }
    *bytes = file.readAll();
    return true;
}

// A failed write leaves an existing file as it was.
bool FrcTool::writeFile(const QString& path, const QByteArray& bytes)
{
    QString errorText;
    if (!QKel::Global::SafeFileWriter::write(path, bytes, &errorText)) {
        fail(QStringLiteral("cannot write %1: %2").arg(path, errorText));
        return false;
    }
    return true;
}

int FrcTool::dump(const QString& path)
{
    QByteArray bytes;
    if (!readFile(path, &bytes))
        return 1;
    Kel::Pb::Configuration::File record;
    if (!record.ParsePartialFromArray(bytes.constData(), bytes.size()))
        return fail(QStringLiteral("%1: not a configuration file (it does not parse)").arg(path));
    if (!record.IsInitialized())
        mErr << "frctool: " << path << ": lacks "
             << QString::fromStdString(record.InitializationErrorString()) << "\n";
    Kel::Pb::Configuration::File known = record;
    known.DiscardUnknownFields();
    if (known.SerializePartialAsString() != record.SerializePartialAsString())
        mErr << "frctool: " << path << ": holds fields unknown to this program; the text leaves them out\n";
    mOut << FrcText::toText(record);
    mOut.flush();
    mErr.flush();
    return 0;
}

int FrcTool::check(const QString& path)
{
    QByteArray bytes;
    if (!readFile(path, &bytes))
        return 1;
    QKel::Pb::Configuration::File file(nullptr);
    if (!file.load(bytes))
        return fail(QStringLiteral("%1: %2; the configurator refuses it")
                        .arg(path, loadErrorText(file.loadError(), file)));
    const auto device = QKel::Device::DeviceFactory::instance()->createDevice(file.productId());
    if (!device)
        return fail(QStringLiteral("%1: no driver supports product ID \"%2\"; the configurator refuses it")
                        .arg(path, file.productId()));
    mOut << "version: " << file.version() << "\n"
         << "product ID: " << file.productId() << " (" << device->name() << ")\n"
         << "checksum: " << hex(file.checksum()) << " (correct)\n"
         << "entries: " << file.dataList().size() << "\n"
         << path << ": the configurator loads this file\n";
    mOut.flush();
    return 0;
}

int FrcTool::build(const QString& textPath, const QString& path)
{
    QByteArray text;
    if (!readFile(textPath, &text))
        return 1;
    Kel::Pb::Configuration::File record;
    QString error;
    if (!FrcText::fromText(QString::fromUtf8(text), &record, &error))
        return fail(QStringLiteral("%1: %2").arg(textPath, error));
    record.set_checksum(QKel::Pb::Configuration::File::computeChecksum(record));
    if (!record.IsInitialized())
        return fail(QStringLiteral("%1: lacks %2")
                        .arg(textPath, QString::fromStdString(record.InitializationErrorString())));
    return writeFile(path, QByteArray::fromStdString(record.SerializeAsString())) ? 0 : 1;
}

int FrcTool::createNew(const QString& productId, const QString& path)
{
    const auto device = QKel::Device::DeviceFactory::instance()->createDevice(productId);
    if (!device)
        return fail(QStringLiteral("no driver supports product ID \"%1\"").arg(productId));
    return writeFile(path, device->serializeToByteArray()) ? 0 : 1;
}

} // namespace QKel::FrcTool
