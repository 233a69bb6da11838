#pragma once

#include "global/types.h"

#include <QObject>
#include <QScopedPointer>
#include <QSharedPointer>
#include <QString>

namespace QKel::Config {

class SaveStatusTrackerPrivate;

// Tells the GUI which configuration file is open, where the configuration being
// edited came from and whether it has unsaved changes. It holds no configuration:
// that lives in the current device object.
class SaveStatusTracker : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString currentFilePath READ currentFilePath WRITE setCurrentFilePath NOTIFY currentFilePathChanged)
    Q_PROPERTY(QString currentFileUrl READ currentFileUrl WRITE setCurrentFileUrl NOTIFY currentFileUrlChanged)
    Q_PROPERTY(bool saveNeeded READ saveNeeded WRITE setSaveNeeded NOTIFY saveNeededChanged)
    Q_PROPERTY(QKel::Global::Types::eConfigurationType configurationType READ configurationType
                   WRITE setConfigurationType NOTIFY configurationTypeChanged)

public:
    static SaveStatusTracker* instance();
    ~SaveStatusTracker() override;

    QString currentFilePath() const;
    QString currentFileUrl() const;
    bool saveNeeded() const;
    QKel::Global::Types::eConfigurationType configurationType() const;

    void setCurrentFilePath(const QString& currentFilePath);
    void setCurrentFileUrl(const QString& currentFileUrl);
    void setSaveNeeded(const bool& saveNeeded);
    void setConfigurationType(const QKel::Global::Types::eConfigurationType& configurationType);

public slots:
    void onForceSaveNeeded();

signals:
    void currentFilePathChanged(QString currentFilePath);
    void currentFileUrlChanged(QString currentFileUrl);
    void saveNeededChanged(bool saveNeeded);
    void configurationTypeChanged(QKel::Global::Types::eConfigurationType configurationType);

private:
    explicit SaveStatusTracker(QObject* parent = nullptr);

    static QSharedPointer<SaveStatusTracker> mInstance;
    QScopedPointer<SaveStatusTrackerPrivate> d;
};

} // namespace QKel::Config
