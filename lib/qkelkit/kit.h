#pragma once

namespace QKel::Kit {

// The QML module of the kit, imported by every window and every driver page.
extern const char* const Uri;

// Registers the kit's C++ types into its module (the module's QML comes
// with the resources of qkelkit-resources) and makes the theme font, at the
// theme's normal size, the application's font: theme.js reads both back, and
// the stock parts the theme does not restyle match it. Call it once the
// application object exists and before any engine loads the kit.
void registerTypes();

} // namespace QKel::Kit
