#include "frcTool.h"

#include "frcText.h"
#include "leafAssignments.h"
#include "leafPaths.h"
#include "secretMask.h"

#include <configuration.h>
#include <configuration.pb.h>
#include <deviceFactory.h>
#include <safeFileWriter.h>
#include <secretfields.h>
#include <versionText.h>

#include <QFile>

namespace QKel::FrcTool {

namespace {

using LoadError = QKel::Pb::Configuration::File::LOAD_ERROR;

QString hex(quint32 value)
{
    return QStringLiteral("0x%1").arg(value, 4, 16, QLatin1Char('0'));
}

// What stands between a file and the program loading it, by load error.
// `File` is the wrapper or the plain record: both tell version and checksum.
template <class File>
QString loadErrorText(LoadError error, const File& file)
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
    "Usage: frctool COMMAND OPERAND...\n"
    "\n"
    "Commands:\n"
    "  frctool dump [--mask] FILE      print FILE as text; --mask: passwords, keys and PINs masked\n"
    "  frctool check FILE              report whether the configurator loads FILE\n"
    "  frctool build TEXT FILE         write FILE from the text form in TEXT\n"
    "  frctool new PRODUCT_ID FILE     write the default configuration of a product\n"
    "  frctool diff [--mask] A B       print each leaf whose value differs: path, in A, in B\n"
    "                                  (exit 0 same, 1 different, 2 unreadable or invalid)\n"
    "  frctool get FILE PATH...        print the value of each leaf\n"
    "  frctool set IN OUT PATH=VALUE...  write OUT: IN with the leaves changed\n"
    "  frctool --help                  print this text\n"
    "  frctool --version               print the program's name and version\n");

FrcTool::FrcTool(QTextStream& out, QTextStream& err)
    : mOut(out)
    , mErr(err)
{
}

int FrcTool::run(const QStringList& commandLine)
{
    QStringList arguments = commandLine;
    const QString command = arguments.value(0);
    const bool mask = (command == QLatin1String("dump") || command == QLatin1String("diff"))
        && arguments.value(1) == QLatin1String("--mask");
    if (mask)
        arguments.removeAt(1);
    const int operands = arguments.size() - 1;
    if (command == QLatin1String("--help") && operands == 0) {
        mOut << USAGE;
        mOut.flush();
        return 0;
    }
    if (command == QLatin1String("--version") && operands == 0) {
        mOut << Tarn::Identity::versionText(QStringLiteral("frctool")) << "\n";
        mOut.flush();
        return 0;
    }
    if (command == QLatin1String("dump") && operands == 1)
        return dump(arguments[1], mask);
    if (command == QLatin1String("check") && operands == 1)
        return check(arguments[1]);
    if (command == QLatin1String("build") && operands == 2)
        return build(arguments[1], arguments[2]);
    if (command == QLatin1String("new") && operands == 2)
        return createNew(arguments[1], arguments[2]);
    if (command == QLatin1String("diff") && operands == 2)
        return diff(arguments[1], arguments[2], mask);
    if (command == QLatin1String("get") && operands >= 2)
        return get(arguments[1], arguments.mid(2));
    if (command == QLatin1String("set") && operands >= 3)
        return set(arguments[1], arguments[2], arguments.mid(3));
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

int FrcTool::dump(const QString& path, bool mask)
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
    // The checksum is taken anew over the masked content: the file's own would
    // let anyone try every short PIN against it.
    if (mask) {
        if (QKel::Pb::Configuration::File::check(record) == QKel::Pb::Configuration::File::LOAD_ERROR__CHECKSUM)
            mErr << "frctool: " << path << ": checksum does not match the content; the masked text shows its own\n";
        QKel::Frc::SecretMask::mask(&record);
    }
    mOut << QKel::Frc::FrcText::toText(record);
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
    if (!QKel::Frc::FrcText::fromText(QString::fromUtf8(text), &record, &error))
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

int FrcTool::refuse(const QString& message)
{
    fail(message);
    return 2;
}

bool FrcTool::readValid(const QString& path, Kel::Pb::Configuration::File* record)
{
    QByteArray bytes;
    if (!readFile(path, &bytes))
        return false;
    // Checked as the configurator checks a file, without building its wrapper tree.
    const LoadError error = record->ParseFromArray(bytes.constData(), bytes.size())
        ? QKel::Pb::Configuration::File::check(*record)
        : QKel::Pb::Configuration::File::LOAD_ERROR__PARSE;
    if (error != QKel::Pb::Configuration::File::LOAD_ERROR__NONE) {
        fail(QStringLiteral("%1: %2").arg(path, loadErrorText(error, *record)));
        return false;
    }
    return true;
}

// With `mask`, a differing secret is named but its values are not shown,
// unless absent or empty: those hide nothing.
int FrcTool::diff(const QString& pathA, const QString& pathB, bool mask)
{
    Kel::Pb::Configuration::File a;
    Kel::Pb::Configuration::File b;
    if (!readValid(pathA, &a) || !readValid(pathB, &b))
        return 2;
    const auto differences = QKel::Frc::LeafPaths::diff(a, b);
    for (const auto& difference : differences) {
        const bool hidden = mask && difference.field && QKel::Pb::SecretFields::isSecret(difference.field);
        const auto shown = [&](const QString& value) {
            const bool blank = value == QKel::Frc::LeafPaths::UNSET || value == QLatin1String("\"\"");
            return hidden && !blank ? QKel::Frc::SecretMask::maskValue(difference.field) : value;
        };
        mOut << difference.path << '\t' << shown(difference.a) << '\t' << shown(difference.b) << '\n';
    }
    mOut.flush();
    return differences.isEmpty() ? 0 : 1;
}

int FrcTool::get(const QString& path, const QStringList& leafPaths)
{
    Kel::Pb::Configuration::File record;
    if (!readValid(path, &record))
        return 2;
    QStringList values;
    for (const QString& leaf : leafPaths) {
        QString value;
        QString error;
        if (!QKel::Frc::LeafPaths::get(record, leaf, &value, &error))
            return refuse(error);
        values << value;
    }
    for (const QString& value : qAsConst(values))
        mOut << value << '\n';
    mOut.flush();
    return 0;
}

// Every change is made before anything is written, and the bytes written are
// what the configuration wrappers make of the result: their rules hold and
// the checksum is theirs.
int FrcTool::set(const QString& in, const QString& out, const QStringList& assignments)
{
    Kel::Pb::Configuration::File record;
    if (!readValid(in, &record))
        return 2;
    QString error;
    const QByteArray changed =
        QKel::Frc::LeafAssignments::applied(QByteArray::fromStdString(record.SerializeAsString()), assignments, &error);
    if (changed.isEmpty())
        return refuse(error);
    return writeFile(out, changed) ? 0 : 2;
}

} // namespace QKel::FrcTool
