import QtQuick 2.15

// Turns every outcome the session reports into an error or warning dialog or a
// short notice.
Connections {
    id: messages
    property var dialogs
    property var toast

    target: stateMachine

    // The session sets its advice on what to check before it reports the failure.
    function withAdvice(text) {
        return stateMachine.failureAdvice !== "" ? text + "\n\n" + stateMachine.failureAdvice : text
    }

    function onTimeout() {
        dialogs.showError(qsTr("Communication Timeout"), withAdvice(qsTr("A communication timeout has occurred.")))
    }
    function onDeviceUnsupported(deviceIdString, productId) {
        dialogs.showError(qsTr("Device Unsupported"),
                          qsTr("The connected device is not supported by this application:") + "\n\n"
                          + qsTr("Device ID") + ": " + deviceIdString + "\n" + qsTr("Product ID") + ": " + productId)
    }
    function onConfigurationUnsupported(productId) {
        dialogs.showError(qsTr("Configuration Unsupported"),
                          qsTr("The configuration data cannot be loaded, as its product ID is unsupported.") + "\n\n"
                          + qsTr("Product ID") + ": " + productId)
    }
    // Nothing of such data is taken over, so the message says so.
    function onConfigurationVersionMismatch() {
        dialogs.showError(qsTr("Configuration Data Version Mismatch"),
                          qsTr("The configuration data was created with another version of this software and could not be loaded. The configuration being edited is unchanged."))
    }
    function onConfigurationVersionObsolete() {
        dialogs.showError(qsTr("Configuration Data Obsolete"), qsTr("The configuration data is obsolete and could not be loaded."))
    }
    function onConfigurationChecksumError() {
        dialogs.showError(qsTr("Configuration Data Checksum Error"),
                          qsTr("The configuration data could not be loaded due to a checksum error."))
    }
    function onConfigurationParseError() {
        dialogs.showError(qsTr("Configuration Data Parse Error"), qsTr("The configuration data could not be parsed and may be corrupt."))
    }
    function onDeviceError() {
        dialogs.showError(qsTr("Device Error"), qsTr("The connected device has reported an error."))
    }
    function onCommsError(errorCode, errorText) {
        dialogs.showError(qsTr("Communication Error"), withAdvice(qsTr("A communication error has occurred.") + " " + errorText
                                                                  + " (" + qsTr("Error code") + ": " + errorCode + ")"))
    }
    // What failed where, then why.
    function withReason(text, place, errorText) {
        return text + " " + place + ".\n\n" + qsTr("Reason") + ": " + errorText
    }

    function onSaveFileFailed(filePath, errorText) {
        dialogs.showError(qsTr("Save Failed"),
                          withReason(qsTr("The configuration could not be saved to the file"), filePath, errorText))
    }
    function onPackSupportArchiveFailed(filePath, errorText) {
        dialogs.showError(qsTr("Support Archive Failed"),
                          withReason(qsTr("The support archive could not be created at"), filePath, errorText))
    }
    function onBackupFailed(folder, errorText) {
        dialogs.showWarning(qsTr("Backup Failed"),
                            withReason(qsTr("The configuration read from the device could not be backed up in the folder"),
                                       folder, errorText))
    }
    function onConfigurationRejectedWhileBusy() {
        dialogs.showError(qsTr("Configuration Not Taken Over"),
                          qsTr("The configuration was not loaded or created, because the device is busy connecting or with another operation. Try again once it has finished."))
    }
    // The fields of the pages that hold the secrets, named as the pages label them.
    function secretNames(leafPaths) {
        var labels = { passphrase: qsTr("WLAN authentication key"), password: qsTr("WLAN password (PEAP)"),
                       pinCode2p0: qsTr("Bluetooth pin code"), passkey: qsTr("Bluetooth passkey") }
        return leafPaths.map(function(path) {
            var field = path.substring(path.lastIndexOf(".") + 1)
            return "\u2022 " + (labels[field] !== undefined ? labels[field] : path)
        }).join("\n")
    }
    function onConfigurationSecretsRemoved(leafPaths) {
        dialogs.showWarning(qsTr("Passwords and PINs Removed"),
                            qsTr("This configuration comes from a support archive that left out its passwords and PINs:")
                            + "\n\n" + secretNames(leafPaths) + "\n\n"
                            + qsTr("Enter them again on the pages before writing the configuration to a gateway; until then writing is refused."))
    }
    function onWriteRefusedSecretsRemoved(leafPaths) {
        dialogs.showError(qsTr("Write Refused"),
                          qsTr("The configuration was not written: it still lacks passwords and PINs that a support archive left out:")
                          + "\n\n" + secretNames(leafPaths) + "\n\n"
                          + qsTr("Enter them on the pages, then write again. The gateway was not changed."))
    }
    // The first ten differing leaves, then how many more there are.
    readonly property int listedDifferences: 10
    function differenceLines(differences) {
        var lines = []
        for (var i = 0; i < Math.min(differences.length, listedDifferences); ++i) {
            var leaf = differences[i]
            lines.push(leaf.path + ": " + qsTr("sent") + " " + leaf.editorValue + ", " + qsTr("read back") + " "
                       + leaf.deviceValue)
        }
        if (differences.length > listedDifferences)
            lines.push(qsTr("... and %1 more").arg(differences.length - listedDifferences))
        return lines.join("\n")
    }
    function onWriteVerificationFailed(differences) {
        dialogs.showError(qsTr("Write Verification Failed"),
                          qsTr("The device acknowledged the write, but reading its configuration back shows that it does not hold what was sent:")
                          + "\n\n" + differenceLines(differences) + "\n\n"
                          + qsTr("Your configuration is unchanged. Write it again; if the difference stays, check the device."))
    }
    function onWriteUnverified(reason) {
        dialogs.showError(qsTr("Write Not Verified"),
                          withAdvice(qsTr("The device acknowledged the write, but its configuration could not be read back to check it.")
                                     + " " + reason + "\n\n"
                                     + qsTr("Whether the device holds the configuration is not known. Connect again and compare with the device before relying on it.")))
    }
    function onLoadFileSuccessful(filePath) { toast.show(qsTr("Loaded file") + " " + filePath) }
    function onNewFileSuccessful(deviceName) { toast.show(qsTr("Created new configuration for") + " " + deviceName) }
    function onSaveFileSuccessful(filePath) { toast.show(qsTr("Saved file") + " " + filePath) }
    function onPackSupportArchiveSuccessful(filePath) { toast.show(qsTr("Created support archive") + " " + filePath) }
    function onConnectSuccessful() { toast.show(qsTr("Connection successful")) }
    function onDisconnectSuccessful() { toast.show(qsTr("Disconnection successful")) }
    function onReadFromDeviceSuccessful() { toast.show(qsTr("Read data from device")) }
    function onWriteToDeviceSuccessful() { toast.show(qsTr("Wrote data to device")) }
    function onFactoryResetSuccessful() { toast.show(qsTr("Factory reset command sent")) }
    function onPairingModeSuccessful() { toast.show(qsTr("Pairing mode command sent")) }
}
