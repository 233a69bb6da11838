.pragma library

// The theme's constants, shared by every window and every device page.
// The theme font's family and normal size are the application font's, which
// the kit sets when its types are registered.
var themeFontFamily = Qt.application.font.family
var themeFontPixelSizeNormal = Qt.application.font.pixelSize
var themeFontPixelSizeLarge = 16
var themeFontPixelSizeHuge = 20

var themeDark = "#e2000f"
var themeMedium = "#b6000f"
var themeLight = "#f1f3f5"
var themeWhite = "#ffffff"
var themeBlack = "#000000"
var themeGray = "#ccd3d8"
var themeWarning = themeDark
// Disabled text: gray, yet readable (3.8:1 against themeLight, 4.2:1 against white).
var themeDisabledText = "#737d87"

var iconDirectory = "qrc:/qt-project.org/imports/kelbus/kit/icons/"
var themeIconArrowDown = iconDirectory + "arrowDown.png"
var themeIconBusy = iconDirectory + "busy.png"
var themeIconCheck = iconDirectory + "check.png"
var themeIconConnect = iconDirectory + "connect.png"
var themeIconDisconnect = iconDirectory + "disconnect.png"
var themeIconLogoBig = iconDirectory + "logoBig.png"
var themeIconNew = iconDirectory + "new.png"
var themeIconOpen = iconDirectory + "open.png"
var themeIconRead = iconDirectory + "read.png"
var themeIconSave = iconDirectory + "save.png"
var themeIconWrite = iconDirectory + "write.png"
