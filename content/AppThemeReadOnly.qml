import QtQuick 2.15

// The built-in default theme, never changed: the source of the defaults
// that a theme file leaves out.
AppTheme {
    objectName: "appThemeReadOnly"
}
