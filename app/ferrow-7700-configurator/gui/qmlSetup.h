#pragma once

#include <QString>

class QQmlContext;

namespace QKel::Gui {

// The program's identity, shown in the windows and keying the settings store.
extern const QString OrganizationName;
extern const QString OrganizationDomain;
extern const QString OrganizationAboutName;
extern const QString ApplicationName;
extern const QString ApplicationVersion;

void setApplicationIdentity();

// Everything the windows see: the four singletons (first use creates each),
// the names, the build date and the platform; then the QML types (with the
// kit's, which sets the theme font). The program and the QML tests both set
// up their engine through these two.
void publishContext(QQmlContext* context);
void registerQmlTypes();

} // namespace QKel::Gui
