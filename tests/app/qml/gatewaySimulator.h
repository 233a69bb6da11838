#pragma once

#include "support/simulatorProcess.h"

#include <QObject>
#include <QTemporaryDir>

// The gateway simulator on its own pseudo-terminal, as QML tests see it: the
// runner starts it before the comms handler lists the ports, so the program's
// serial provider offers and picks its terminal.
class GatewaySimulator : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString portPath READ portPath CONSTANT)
    Q_PROPERTY(QString storeFile READ storeFile CONSTANT)
    Q_PROPERTY(QString sparePortPath READ sparePortPath CONSTANT)

public:
    explicit GatewaySimulator(QObject* parent = nullptr);

    bool start(QString* errorText);
    QString portPath() const;
    QString storeFile() const;
    // A second port the program offers, nobody listening on it: choosing a
    // port in the connection settings needs something to choose.
    QString sparePortPath() const;

    // Ends the simulator, which takes its port away as a pulled adapter does.
    Q_INVOKABLE void stop();
    // Starts the simulator again on the same port, with fault options.
    Q_INVOKABLE bool restart(const QStringList& options);
    // Everything the simulator logged so far, one line per received command.
    Q_INVOKABLE QString log();
    // The bytes a write would send the gateway now: the current device's
    // configuration in hexadecimal (empty without a device).
    Q_INVOKABLE QString packedConfiguration() const;
    // A scratch directory of this test run, for files the test saves.
    Q_INVOKABLE QString scratchPath(const QString& name) const;
    // Creates a folder (with its parents) in the scratch directory; returns its path.
    Q_INVOKABLE QString makeScratchDirectory(const QString& name) const;
    // Whether keys typed now go to `window` (a window's "active" is true also
    // while one of its own windows has the keyboard).
    Q_INVOKABLE bool hasKeyboard(QObject* window) const;
    // One entry of a ZIP archive as UTF-8 text; empty when it cannot be read.
    Q_INVOKABLE QString archiveEntry(const QString& archivePath, const QString& name) const;

private:
    QTemporaryDir mDir;
    TarnTest::SimulatorProcess mProcess;
};
