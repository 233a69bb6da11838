#include "versionText.h"

#include "tarnIdentity.h"

#include <cstdio>

namespace Tarn::Identity {

QString versionText(const QString& command)
{
    return QStringLiteral("%1 (%2) %3").arg(command, QLatin1String(ApplicationName), QLatin1String(Version));
}

void printVersion(const QString& command)
{
    std::fputs(versionText(command).append(QLatin1Char('\n')).toUtf8().constData(), stdout);
    std::fflush(stdout);
}

} // namespace Tarn::Identity
