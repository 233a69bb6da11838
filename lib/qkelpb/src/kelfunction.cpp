#include "kelfunction.h"

#include "wrapperdefinition.h"

namespace QKel::Pb::KelFunction {

QKEL_PB_WRAPPER(Config, "KelFunction::Config")
QKEL_PB_VALUE(Config, uint, canMessagesPerLoop, setCanMessagesPerLoop)
QKEL_PB_VALUE(Config, uint, serverMessagesPerLoop, setServerMessagesPerLoop)
QKEL_PB_VALUE(Config, uint, canOptimizationTimeoutMs, setCanOptimizationTimeoutMs)
QKEL_PB_VALUE(Config, uint, remoteOptimizationTimeoutMs, setRemoteOptimizationTimeoutMs)
QKEL_PB_VALUE(Config, bool, canOpenObjectsEnabled, setCanOpenObjectsEnabled)
QKEL_PB_VALUE(Config, bool, forwardCanToClientsByDefault, setForwardCanToClientsByDefault)
QKEL_PB_VALUE(Config, TIMESTAMP_MODE, timestampMode, setTimestampMode)
QKEL_PB_VALUE(Config, FEEDBACK_MODE, feedbackMode, setFeedbackMode)
QKEL_PB_VALUE(Config, bool, includeErrorAndTimestampInFeedback, setIncludeErrorAndTimestampInFeedback)
QKEL_PB_CHILD(Config, PowerManagement::Config, powerManagementConfig, setPowerManagementConfig)

}  // namespace QKel::Pb::KelFunction
