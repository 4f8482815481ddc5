#pragma once

#include <gtk/gtk.h>

#include <cstdint>

#include "settings/config_dialog.h"
#include "settings/settings.h"

// The dialog's widgets, for its view and for tests that drive them.
struct ConfigDialog {
    GtkWidget* window = nullptr;
    GtkWidget* banner = nullptr; // draws bannerPicture centred, clipped to its size
    GtkWidget* resolutions[resolutionCount] = {};
    // An unshown member of the sizes' group, active while no size is checked.
    GtkWidget* noResolution = nullptr;
    GtkWidget* depth16 = nullptr;
    GtkWidget* depth32 = nullptr;
    GtkWidget* fullscreen = nullptr;
    GtkWidget* ok = nullptr;
    GtkWidget* notes[2] = {};
    GdkPixbuf* bannerPicture = nullptr; // null when the picture could not be read
    Settings* options = nullptr;
    DisplayChoice* mode = nullptr;
    int32_t finished = 0; // 1 once OK has written the choices
};

// The text of the two notes, as the dialog shows them.
extern const char* const configDialogNotes[2];

// Builds the dialog, unshown, with its controls set from options. OK applies
// the choices to options and mode and sets finished. GTK must be started.
void BuildConfigDialog(ConfigDialog* dialog, Settings* options, DisplayChoice* mode);

// Destroys the window and everything the dialog holds.
void DestroyConfigDialog(ConfigDialog* dialog);

// The checked states of the controls as they stand.
ConfigDialogControls ReadDialogControls(const ConfigDialog& dialog);

// The size of a dialog unit in pixels, from the average character width and
// the line height of the dialog's font: a quarter of the one, an eighth of the other.
struct DialogUnits {
    double x = 0;
    double y = 0;
};
DialogUnits DialogUnitsOf(GtkWidget* widget);
