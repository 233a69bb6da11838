#pragma once

#include <QString>

namespace Tarn::Identity {

// The line every command prints for --version: "<command> (<application>) <version>",
// the form manual page generators and package tools read.
QString versionText(const QString& command);

// Writes versionText(command) and a line end to standard output.
void printVersion(const QString& command);

} // namespace Tarn::Identity
