#include "qmlSetup.h"

#include "commsHandler.h"
#include "deviceFactory.h"
#include "global/types.h"
#include "kit.h"
#include "saveStatusTracker.h"
#include "stateMachine.h"
#include "tarnIdentity.h"
#include "utilities.h"

#include <QDate>
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
    QKel::Kit::registerTypes();
}

} // namespace QKel::Gui
