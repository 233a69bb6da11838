#include "qmlSetup.h"

#include "commsHandler.h"
#include "customspinboxvalidator.h"
#include "deviceFactory.h"
#include "global/types.h"
#include "saveStatusTracker.h"
#include "stateMachine.h"
#include "tarnIdentity.h"
#include "utilities.h"

#include <QApplication>
#include <QDate>
#include <QFontDatabase>
#include <QLocale>
#include <QQmlContext>
#include <QtQml>

namespace QKel::Gui {

const QString OrganizationName = QString::fromLatin1(Tarn::Identity::OrganizationName);
const QString OrganizationDomain = QString::fromLatin1(Tarn::Identity::OrganizationDomain);
const QString OrganizationAboutName = QStringLiteral("Morvane Telematics Solutions");
const QString ApplicationName = QString::fromLatin1(Tarn::Identity::ApplicationName);
const QString ApplicationVersion = QString::fromLatin1(Tarn::Identity::Version);

namespace {

const QString ThemeFont = QStringLiteral(":/themes/morvane/fonts/DejaVuSans.ttf");
const QString ThemeFontFamilyFallback = QStringLiteral("DejaVu Sans");
const int ThemeFontPixelSize = 12;
const char* const TypesUri = "kelbus.types";

// The compiler's date ("Oct 10 2016", day padded with a space) as "2016/10/10".
QString buildDate()
{
    const QDate date = QLocale(QStringLiteral("en_US"))
                           .toDate(QStringLiteral(__DATE__).simplified(), QStringLiteral("MMM d yyyy"));
    return date.toString(QStringLiteral("yyyy/MM/dd"));
}

QString platformName()
{
#ifdef Q_OS_WIN
    return QStringLiteral("windows");
#else
    return QStringLiteral("linux");
#endif
}

} // namespace

void setApplicationIdentity()
{
    QCoreApplication::setOrganizationName(OrganizationName);
    QCoreApplication::setOrganizationDomain(OrganizationDomain);
    QCoreApplication::setApplicationName(ApplicationName);
    QCoreApplication::setApplicationVersion(ApplicationVersion);
}

void applyThemeFont()
{
    const int fontId = QFontDatabase::addApplicationFont(ThemeFont);
    const QStringList families = QFontDatabase::applicationFontFamilies(fontId);
    QFont font(families.isEmpty() ? ThemeFontFamilyFallback : families.first());
    font.setPixelSize(ThemeFontPixelSize);
    QApplication::setFont(font);
}

void publishContext(QQmlContext* context)
{
    context->setContextProperty(QStringLiteral("stateMachine"), QKel::Sm::StateMachine::instance());
    context->setContextProperty(QStringLiteral("commsHandler"), QKel::Comms::CommsHandler::instance());
    context->setContextProperty(QStringLiteral("deviceFactory"), QKel::Device::DeviceFactory::instance());
    context->setContextProperty(QStringLiteral("saveStatusTracker"), QKel::Config::SaveStatusTracker::instance());
    context->setContextProperty(QStringLiteral("organizationName"), OrganizationName);
    context->setContextProperty(QStringLiteral("organizationAboutName"), OrganizationAboutName);
    context->setContextProperty(QStringLiteral("applicationName"), ApplicationName);
    context->setContextProperty(QStringLiteral("applicationVersion"), ApplicationVersion);
    context->setContextProperty(QStringLiteral("applicationBuildDate"), buildDate());
    context->setContextProperty(QStringLiteral("PLATFORM"), platformName());
}

void registerQmlTypes()
{
    qmlRegisterUncreatableType<QKel::Global::Types>(TypesUri, 1, 0, "KelTypes",
                                                    QStringLiteral("KelTypes only carries enumerations"));
    QKel::Pb::Utilities::registerQmlTypes();
    qmlRegisterType<CustomSpinBoxValidator>(TypesUri, 1, 0, "CustomSpinBoxValidator");
}

} // namespace QKel::Gui
