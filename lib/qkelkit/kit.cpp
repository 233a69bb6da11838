#include "kit.h"

#include "customspinboxvalidator.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QtQml>

namespace QKel::Kit {

const char* const Uri = "kelbus.kit";

namespace {

// The theme's font; theme.js reads family and size back from the
// application font, so they are set here only.
const QString FontFile = QStringLiteral(":/qt-project.org/imports/kelbus/kit/fonts/DejaVuSans.ttf");
const QString FontFamilyFallback = QStringLiteral("DejaVu Sans");
const int FontPixelSize = 12;

void applyFont()
{
    const int fontId = QFontDatabase::addApplicationFont(FontFile);
    const QStringList families = QFontDatabase::applicationFontFamilies(fontId);
    QFont font(families.isEmpty() ? FontFamilyFallback : families.first());
    font.setPixelSize(FontPixelSize);
    QGuiApplication::setFont(font);
}

} // namespace

void registerTypes()
{
    qmlRegisterType<CustomSpinBoxValidator>(Uri, 1, 0, "CustomSpinBoxValidator");
    applyFont();
}

} // namespace QKel::Kit
