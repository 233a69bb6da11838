#pragma once

#include "abstractmessage.h"
#include "powermanagement.h"

#include <kelfunction.pb.h>

namespace QKel::Pb::KelFunction {

// Gateway function settings.
class Config : public AbstractMessage
{
    Q_OBJECT
    Q_PROPERTY(uint canMessagesPerLoop READ canMessagesPerLoop WRITE setCanMessagesPerLoop NOTIFY canMessagesPerLoopChanged)
    Q_PROPERTY(uint serverMessagesPerLoop READ serverMessagesPerLoop WRITE setServerMessagesPerLoop NOTIFY serverMessagesPerLoopChanged)
    Q_PROPERTY(uint canOptimizationTimeoutMs READ canOptimizationTimeoutMs WRITE setCanOptimizationTimeoutMs NOTIFY canOptimizationTimeoutMsChanged)
    Q_PROPERTY(uint remoteOptimizationTimeoutMs READ remoteOptimizationTimeoutMs WRITE setRemoteOptimizationTimeoutMs NOTIFY remoteOptimizationTimeoutMsChanged)
    Q_PROPERTY(QKel::Pb::PowerManagement::Config* powerManagementConfig READ powerManagementConfig WRITE setPowerManagementConfig NOTIFY powerManagementConfigChanged)
    Q_PROPERTY(bool canOpenObjectsEnabled READ canOpenObjectsEnabled WRITE setCanOpenObjectsEnabled NOTIFY canOpenObjectsEnabledChanged)
    Q_PROPERTY(bool forwardCanToClientsByDefault READ forwardCanToClientsByDefault WRITE setForwardCanToClientsByDefault NOTIFY forwardCanToClientsByDefaultChanged)
    Q_PROPERTY(TIMESTAMP_MODE timestampMode READ timestampMode WRITE setTimestampMode NOTIFY timestampModeChanged)
    Q_PROPERTY(FEEDBACK_MODE feedbackMode READ feedbackMode WRITE setFeedbackMode NOTIFY feedbackModeChanged)
    Q_PROPERTY(bool includeErrorAndTimestampInFeedback READ includeErrorAndTimestampInFeedback WRITE setIncludeErrorAndTimestampInFeedback NOTIFY includeErrorAndTimestampInFeedbackChanged)
    QKEL_PB_MESSAGE(Config, Kel::Pb::KelFunction::Config)

public:
    enum TIMESTAMP_MODE : int {
        TIMESTAMP_MODE__OFF = 0,
        TIMESTAMP_MODE__ABSOLUTE = 1,
        TIMESTAMP_MODE__RELATIVE = 2,
    };
    Q_ENUM(TIMESTAMP_MODE)

    enum FEEDBACK_MODE : int {
        FEEDBACK_MODE__OFF = 0,
        FEEDBACK_MODE__ON = 1,
    };
    Q_ENUM(FEEDBACK_MODE)

    uint canMessagesPerLoop() const;
    void setCanMessagesPerLoop(uint value);
    uint serverMessagesPerLoop() const;
    void setServerMessagesPerLoop(uint value);
    uint canOptimizationTimeoutMs() const;
    void setCanOptimizationTimeoutMs(uint value);
    uint remoteOptimizationTimeoutMs() const;
    void setRemoteOptimizationTimeoutMs(uint value);
    PowerManagement::Config* powerManagementConfig() const;
    void setPowerManagementConfig(PowerManagement::Config* child);
    bool canOpenObjectsEnabled() const;
    void setCanOpenObjectsEnabled(bool value);
    bool forwardCanToClientsByDefault() const;
    void setForwardCanToClientsByDefault(bool value);
    TIMESTAMP_MODE timestampMode() const;
    void setTimestampMode(TIMESTAMP_MODE value);
    FEEDBACK_MODE feedbackMode() const;
    void setFeedbackMode(FEEDBACK_MODE value);
    bool includeErrorAndTimestampInFeedback() const;
    void setIncludeErrorAndTimestampInFeedback(bool value);

signals:
    void canMessagesPerLoopChanged(uint);
    void serverMessagesPerLoopChanged(uint);
    void canOptimizationTimeoutMsChanged(uint);
    void remoteOptimizationTimeoutMsChanged(uint);
    void powerManagementConfigChanged(QKel::Pb::PowerManagement::Config*);
    void canOpenObjectsEnabledChanged(bool);
    void forwardCanToClientsByDefaultChanged(bool);
    void timestampModeChanged(QKel::Pb::KelFunction::Config::TIMESTAMP_MODE);
    void feedbackModeChanged(QKel::Pb::KelFunction::Config::FEEDBACK_MODE);
    void includeErrorAndTimestampInFeedbackChanged(bool);
};

}  // namespace QKel::Pb::KelFunction
