#include "platform/linux/config_dialog_widgets.h"

#include <cmath>
#include <cstdio>

const char* const configDialogNotes[2] = {
    "Note: If you choose windowed mode, then the program will automatically detect your "
    "screensize.",
    "You can change whether to see this box at startup in Global Options on the main menu.  If "
    "you choose not to see this box at startup, the program will remember your settings."};

// The build compiles the pictures into the program; this makes them known to
// GLib, once.
extern "C" void kelmot_register_resource(void);

namespace {

// The dialog is laid out in dialog units, which follow the size of its font.
constexpr int32_t dialogWidth = 265;
constexpr int32_t dialogHeight = 182;

// Where each control sits, in dialog units: x, y, width, height.
struct Place {
    int32_t x, y, width, height;
};
constexpr Place bannerPlace{7, 7, 251, 52};
constexpr Place resolutionPlaces[resolutionCount] = {
    {15, 68, 51, 10}, {72, 68, 47, 10}, {123, 68, 43, 10}, {170, 68, 43, 10}};
constexpr const char* resolutionLabels[resolutionCount] = {"1280x1024", "1024x768", "800x600",
                                                           "640x480"};
constexpr Place depth16Place{15, 87, 33, 10};
constexpr Place depth32Place{71, 87, 33, 10};
constexpr Place okPlace{191, 151, 50, 14};
constexpr Place fullscreenPlace{14, 110, 52, 10};
constexpr Place notePlaces[2] = {{125, 87, 119, 25}, {15, 130, 161, 45}};

constexpr const char* bannerResource = "/kelmot/banner.bmp";

void PutAt(GtkWidget* fixed, GtkWidget* child, const Place& place, DialogUnits units) {
    gtk_widget_set_size_request(child, static_cast<int>(std::lround(place.width * units.x)),
                                static_cast<int>(std::lround(place.height * units.y)));
    gtk_fixed_put(GTK_FIXED(fixed), child, static_cast<int>(std::lround(place.x * units.x)),
                  static_cast<int>(std::lround(place.y * units.y)));
}

// The picture centred in the banner's area; what does not fit is cut off.
gboolean DrawBanner(GtkWidget* area, cairo_t* cairo, gpointer data) {
    const GdkPixbuf* picture = static_cast<ConfigDialog*>(data)->bannerPicture;
    if (picture == nullptr) return FALSE;
    const int left = (gtk_widget_get_allocated_width(area) - gdk_pixbuf_get_width(picture)) / 2;
    const int top = (gtk_widget_get_allocated_height(area) - gdk_pixbuf_get_height(picture)) / 2;
    gdk_cairo_set_source_pixbuf(cairo, picture, left, top);
    cairo_paint(cairo);
    return FALSE;
}

void PressOk(GtkButton*, gpointer data) {
    auto* dialog = static_cast<ConfigDialog*>(data);
    if (dialog->finished != 0) return;
    ApplyDialogChoices(ReadDialogControls(*dialog), dialog->options, dialog->mode);
    dialog->finished = 1;
}

// Enter presses OK wherever the focus is; Escape does nothing at all.
gboolean PressKey(GtkWidget*, GdkEventKey* event, gpointer data) {
    switch (event->keyval) {
    case GDK_KEY_Return:
    case GDK_KEY_KP_Enter:
    case GDK_KEY_ISO_Enter:
        gtk_button_clicked(GTK_BUTTON(static_cast<ConfigDialog*>(data)->ok));
        return TRUE;
    case GDK_KEY_Escape:
        return TRUE;
    default:
        return FALSE;
    }
}

// OK is the only way out: a close request is refused.
gboolean RefuseClose(GtkWidget*, GdkEvent*, gpointer) { return TRUE; }

int32_t IsChecked(GtkWidget* button) {
    return gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(button)) ? 1 : 0;
}

// A note wraps at the width of its place. A dialog unit is a quarter of an
// average character, and without that limit a wrapping label asks for its
// height at a width of its own choosing, which stretches the dialog.
GtkWidget* WrappedNote(const char* text, const Place& place) {
    GtkWidget* label = gtk_label_new(text);
    gtk_label_set_line_wrap(GTK_LABEL(label), TRUE);
    gtk_label_set_line_wrap_mode(GTK_LABEL(label), PANGO_WRAP_WORD);
    gtk_label_set_max_width_chars(GTK_LABEL(label), place.width / 4);
    gtk_label_set_xalign(GTK_LABEL(label), 0);
    gtk_label_set_yalign(GTK_LABEL(label), 0);
    return label;
}

void LoadBanner(ConfigDialog* dialog) {
    static bool registered = false;
    if (!registered) kelmot_register_resource();
    registered = true;
    GError* error = nullptr;
    dialog->bannerPicture = gdk_pixbuf_new_from_resource(bannerResource, &error);
    if (dialog->bannerPicture == nullptr) {
        std::fprintf(stderr, "kelmot: the dialog's banner cannot be shown: %s\n",
                     error != nullptr ? error->message : "unknown error");
        g_clear_error(&error);
    }
}

} // namespace

DialogUnits DialogUnitsOf(GtkWidget* widget) {
    PangoLayout* layout = gtk_widget_create_pango_layout(
        widget, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    int width = 0;
    int height = 0;
    pango_layout_get_pixel_size(layout, &width, &height);
    g_object_unref(layout);
    // The average character width is rounded to the nearest pixel, as dialog
    // base units are.
    const double averageWidth = std::floor((width / 26.0 + 1) / 2);
    return DialogUnits{averageWidth / 4, height / 8.0};
}

void BuildConfigDialog(ConfigDialog* dialog, Settings* options, DisplayChoice* mode) {
    *dialog = ConfigDialog{};
    dialog->options = options;
    dialog->mode = mode;

    GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    dialog->window = window;
    gtk_window_set_title(GTK_WINDOW(window), "Kelmot");
    gtk_window_set_decorated(GTK_WINDOW(window), FALSE);
    gtk_window_set_resizable(GTK_WINDOW(window), FALSE);
    gtk_window_set_modal(GTK_WINDOW(window), TRUE);
    gtk_window_set_keep_above(GTK_WINDOW(window), TRUE);
    gtk_window_set_type_hint(GTK_WINDOW(window), GDK_WINDOW_TYPE_HINT_DIALOG);
    gtk_window_set_position(GTK_WINDOW(window), GTK_WIN_POS_CENTER);
    g_signal_connect(window, "delete-event", G_CALLBACK(RefuseClose), nullptr);
    g_signal_connect(window, "key-press-event", G_CALLBACK(PressKey), dialog);

    // Without a title bar, a raised edge marks where the dialog ends.
    GtkWidget* edge = gtk_frame_new(nullptr);
    gtk_frame_set_shadow_type(GTK_FRAME(edge), GTK_SHADOW_OUT);
    gtk_container_add(GTK_CONTAINER(window), edge);
    GtkWidget* fixed = gtk_fixed_new();
    gtk_container_add(GTK_CONTAINER(edge), fixed);
    const DialogUnits units = DialogUnitsOf(window);
    gtk_widget_set_size_request(fixed, static_cast<int>(std::lround(dialogWidth * units.x)),
                                static_cast<int>(std::lround(dialogHeight * units.y)));

    LoadBanner(dialog);
    GtkWidget* sunken = gtk_frame_new(nullptr);
    gtk_frame_set_shadow_type(GTK_FRAME(sunken), GTK_SHADOW_IN);
    dialog->banner = gtk_drawing_area_new();
    g_signal_connect(dialog->banner, "draw", G_CALLBACK(DrawBanner), dialog);
    gtk_container_add(GTK_CONTAINER(sunken), dialog->banner);
    PutAt(fixed, sunken, bannerPlace, units);

    GSList* sizes = nullptr;
    for (int32_t res = 0; res < resolutionCount; ++res) {
        dialog->resolutions[res] = gtk_radio_button_new_with_label(sizes, resolutionLabels[res]);
        sizes = gtk_radio_button_get_group(GTK_RADIO_BUTTON(dialog->resolutions[res]));
        PutAt(fixed, dialog->resolutions[res], resolutionPlaces[res], units);
    }
    dialog->noResolution = gtk_radio_button_new(sizes);
    g_object_ref_sink(dialog->noResolution);

    dialog->depth16 = gtk_radio_button_new_with_label(nullptr, "16 bit");
    dialog->depth32 =
        gtk_radio_button_new_with_label_from_widget(GTK_RADIO_BUTTON(dialog->depth16), "32 bit");
    PutAt(fixed, dialog->depth16, depth16Place, units);
    PutAt(fixed, dialog->depth32, depth32Place, units);

    dialog->ok = gtk_button_new_with_label("OK");
    gtk_widget_set_can_default(dialog->ok, TRUE);
    gtk_window_set_default(GTK_WINDOW(window), dialog->ok);
    g_signal_connect(dialog->ok, "clicked", G_CALLBACK(PressOk), dialog);
    PutAt(fixed, dialog->ok, okPlace, units);

    dialog->fullscreen = gtk_check_button_new_with_label("Fullscreen?");
    PutAt(fixed, dialog->fullscreen, fullscreenPlace, units);

    for (int32_t note = 0; note < 2; ++note) {
        dialog->notes[note] = WrappedNote(configDialogNotes[note], notePlaces[note]);
        PutAt(fixed, dialog->notes[note], notePlaces[note], units);
    }

    const ConfigDialogControls controls = InitialDialogControls(*options);
    gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(dialog->noResolution), TRUE);
    for (int32_t res = 0; res < resolutionCount; ++res)
        if (controls.resolutionChecked[res] != 0)
            gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(dialog->resolutions[res]), TRUE);
    gtk_toggle_button_set_active(
        GTK_TOGGLE_BUTTON(controls.depth32Checked != 0 ? dialog->depth32 : dialog->depth16), TRUE);
    gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(dialog->fullscreen),
                                 controls.fullscreenChecked != 0);

    // The keyboard starts in the sizes, on the checked one.
    int32_t focused = 0;
    for (int32_t res = 0; res < resolutionCount; ++res)
        if (controls.resolutionChecked[res] != 0) focused = res;
    gtk_widget_grab_focus(dialog->resolutions[focused]);
}

void DestroyConfigDialog(ConfigDialog* dialog) {
    if (dialog->window != nullptr) gtk_widget_destroy(dialog->window);
    if (dialog->noResolution != nullptr) {
        gtk_widget_destroy(dialog->noResolution);
        g_object_unref(dialog->noResolution);
    }
    if (dialog->bannerPicture != nullptr) g_object_unref(dialog->bannerPicture);
    *dialog = ConfigDialog{};
}

ConfigDialogControls ReadDialogControls(const ConfigDialog& dialog) {
    ConfigDialogControls controls;
    for (int32_t res = 0; res < resolutionCount; ++res)
        controls.resolutionChecked[res] = IsChecked(dialog.resolutions[res]);
    controls.depth16Checked = IsChecked(dialog.depth16);
    controls.depth32Checked = IsChecked(dialog.depth32);
    controls.fullscreenChecked = IsChecked(dialog.fullscreen);
    return controls;
}
