// The start-up dialog's real GTK widgets on the test display: what they show,
// what clicking and typing into them does, and the modal run that ends only
// with OK.

#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/linux/config_dialog_view.h"
#include "platform/linux/config_dialog_widgets.h"

namespace {

constexpr DisplayChoice startUpMode{1280, 968, 16, 1};

class ConfigDialogWidgets : public testing::Test {
  protected:
    static void SetUpTestSuite() { ASSERT_TRUE(gtk_init_check(nullptr, nullptr)) << "no display"; }

    void SetUp() override { mode = startUpMode; }
    void TearDown() override { DestroyConfigDialog(&dialog); }

    void Build() {
        BuildConfigDialog(&dialog, &options, &mode);
        gtk_widget_show_all(dialog.window);
        Settle();
    }

    static void Settle() {
        while (gtk_events_pending()) gtk_main_iteration();
    }

    static bool Active(GtkWidget* button) {
        return gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(button));
    }

    // A key as the display would deliver it to the dialog's window.
    void PressKey(guint keyval) {
        GdkEvent* event = gdk_event_new(GDK_KEY_PRESS);
        event->key.window = GDK_WINDOW(g_object_ref(gtk_widget_get_window(dialog.window)));
        event->key.send_event = TRUE;
        event->key.time = GDK_CURRENT_TIME;
        event->key.keyval = keyval;
        GdkKeymapKey* keys = nullptr;
        gint count = 0;
        if (gdk_keymap_get_entries_for_keyval(gdk_keymap_get_for_display(gdk_display_get_default()),
                                              keyval, &keys, &count) &&
            count > 0)
            event->key.hardware_keycode = static_cast<guint16>(keys[0].keycode);
        g_free(keys);
        gdk_event_set_device(
            event, gdk_seat_get_keyboard(gdk_display_get_default_seat(gdk_display_get_default())));
        gtk_main_do_event(event);
        gdk_event_free(event);
        Settle();
    }

    Settings options;
    DisplayChoice mode;
    ConfigDialog dialog;
};

TEST_F(ConfigDialogWidgets, ShowTheirTextsAndTheOptions) {
    Build();
    const char* const sizes[] = {"1280x1024", "1024x768", "800x600", "640x480"};
    for (int32_t res = 0; res < resolutionCount; ++res) {
        EXPECT_STREQ(gtk_button_get_label(GTK_BUTTON(dialog.resolutions[res])), sizes[res]);
        EXPECT_EQ(Active(dialog.resolutions[res]), res == 1) << sizes[res];
    }
    EXPECT_STREQ(gtk_button_get_label(GTK_BUTTON(dialog.depth16)), "16 bit");
    EXPECT_STREQ(gtk_button_get_label(GTK_BUTTON(dialog.depth32)), "32 bit");
    EXPECT_STREQ(gtk_button_get_label(GTK_BUTTON(dialog.fullscreen)), "Fullscreen?");
    EXPECT_STREQ(gtk_button_get_label(GTK_BUTTON(dialog.ok)), "OK");
    EXPECT_TRUE(Active(dialog.depth16));
    EXPECT_TRUE(Active(dialog.fullscreen));
    EXPECT_STREQ(gtk_label_get_text(GTK_LABEL(dialog.notes[0])),
                 "Note: If you choose windowed mode, then the program will automatically detect "
                 "your screensize.");
    EXPECT_STREQ(gtk_label_get_text(GTK_LABEL(dialog.notes[1])),
                 "You can change whether to see this box at startup in Global Options on the main "
                 "menu.  If you choose not to see this box at startup, the program will remember "
                 "your settings.");

    GtkWindow* window = GTK_WINDOW(dialog.window);
    EXPECT_FALSE(gtk_window_get_decorated(window));
    EXPECT_TRUE(gtk_window_get_modal(window));
    EXPECT_FALSE(gtk_window_get_resizable(window));
    EXPECT_EQ(gtk_window_get_default_widget(window), dialog.ok);
    ASSERT_NE(dialog.bannerPicture, nullptr);
    EXPECT_EQ(gdk_pixbuf_get_width(dialog.bannerPicture), 360);
    EXPECT_EQ(gdk_pixbuf_get_height(dialog.bannerPicture), 139);
}

TEST_F(ConfigDialogWidgets, CheckNoSizeForAnUnknownRes) {
    options.res = 5;
    options.bpp = 1;
    options.fullscreen = 0;
    Build();
    for (GtkWidget* size : dialog.resolutions) EXPECT_FALSE(Active(size));
    EXPECT_TRUE(Active(dialog.depth32));
    EXPECT_FALSE(Active(dialog.fullscreen));
    // OK with "Fullscreen?" checked and still no size keeps the size and res.
    gtk_button_clicked(GTK_BUTTON(dialog.fullscreen));
    gtk_button_clicked(GTK_BUTTON(dialog.ok));
    EXPECT_EQ(dialog.finished, 1);
    EXPECT_EQ(options.fullscreen, 1);
    EXPECT_EQ(options.res, 5);
    EXPECT_EQ(mode.width, 1280);
    EXPECT_EQ(mode.height, 968);
    EXPECT_EQ(mode.colourBits, 32);
    EXPECT_EQ(mode.fullscreenMode, 1);
}

TEST_F(ConfigDialogWidgets, ClicksChooseAndOkWrites) {
    Build();
    gtk_button_clicked(GTK_BUTTON(dialog.resolutions[3]));
    gtk_button_clicked(GTK_BUTTON(dialog.depth32));
    EXPECT_FALSE(Active(dialog.resolutions[1]));
    EXPECT_FALSE(Active(dialog.depth16));
    EXPECT_EQ(dialog.finished, 0);
    EXPECT_EQ(mode.width, 1280); // nothing is written before OK
    gtk_button_clicked(GTK_BUTTON(dialog.ok));
    EXPECT_EQ(dialog.finished, 1);
    EXPECT_EQ(options.res, 3);
    EXPECT_EQ(options.bpp, 1);
    EXPECT_EQ(options.fullscreen, 1);
    EXPECT_EQ(mode.width, 640);
    EXPECT_EQ(mode.height, 480);
    EXPECT_EQ(mode.colourBits, 32);
    EXPECT_EQ(mode.fullscreenMode, 1);
}

TEST_F(ConfigDialogWidgets, WindowedKeepsTheScreenSize) {
    Build();
    gtk_button_clicked(GTK_BUTTON(dialog.resolutions[2]));
    gtk_button_clicked(GTK_BUTTON(dialog.fullscreen));
    gtk_button_clicked(GTK_BUTTON(dialog.ok));
    EXPECT_EQ(options.fullscreen, 0);
    EXPECT_EQ(options.res, 1);
    EXPECT_EQ(mode.width, 1280);
    EXPECT_EQ(mode.height, 968);
    EXPECT_EQ(mode.fullscreenMode, 0);
}

TEST_F(ConfigDialogWidgets, EscapeAndCloseDoNothingEnterPressesOk) {
    Build();
    PressKey(GDK_KEY_Escape);
    gtk_window_close(GTK_WINDOW(dialog.window));
    Settle();
    EXPECT_TRUE(gtk_widget_get_visible(dialog.window));
    EXPECT_EQ(dialog.finished, 0);
    EXPECT_EQ(mode.width, 1280);

    // The focus is on a size, where Enter would otherwise choose that size.
    gtk_widget_grab_focus(dialog.resolutions[0]);
    PressKey(GDK_KEY_Return);
    EXPECT_EQ(dialog.finished, 1);
    EXPECT_EQ(options.res, 1);
    EXPECT_EQ(mode.width, 1024);
    EXPECT_EQ(mode.height, 768);
}

// Controls placed in dialog units must not run into each other at the
// desktop's font size.
TEST_F(ConfigDialogWidgets, ControlsStayApartAndInside) {
    Build();
    std::vector<std::pair<std::string, GtkWidget*>> controls = {
        {"banner", gtk_widget_get_parent(dialog.banner)},
        {"16 bit", dialog.depth16},
        {"32 bit", dialog.depth32},
        {"Fullscreen?", dialog.fullscreen},
        {"OK", dialog.ok},
        {"first note", dialog.notes[0]},
        {"second note", dialog.notes[1]}};
    for (int32_t res = 0; res < resolutionCount; ++res)
        controls.emplace_back(gtk_button_get_label(GTK_BUTTON(dialog.resolutions[res])),
                              dialog.resolutions[res]);

    GtkWidget* fixed = gtk_widget_get_parent(dialog.depth16);
    GtkAllocation area;
    gtk_widget_get_allocation(fixed, &area);
    const DialogUnits units = DialogUnitsOf(dialog.window);
    EXPECT_NEAR(area.width, 265 * units.x, 1.0);
    EXPECT_NEAR(area.height, 182 * units.y, 1.0);

    std::vector<GdkRectangle> boxes;
    for (const auto& [name, widget] : controls) {
        GtkAllocation box;
        gtk_widget_get_allocation(widget, &box);
        EXPECT_GE(box.x, area.x) << name;
        EXPECT_GE(box.y, area.y) << name;
        EXPECT_LE(box.x + box.width, area.x + area.width) << name;
        EXPECT_LE(box.y + box.height, area.y + area.height) << name;
        boxes.push_back(box);
    }
    for (size_t a = 0; a < boxes.size(); ++a)
        for (size_t b = a + 1; b < boxes.size(); ++b)
            EXPECT_FALSE(gdk_rectangle_intersect(&boxes[a], &boxes[b], nullptr))
                << controls[a].first << " runs into " << controls[b].first;
}

// The modal run, through RunGtkConfigDialog itself.
struct ModalRun {
    static gboolean PressOkOfTheShownDialog(gpointer) {
        for (GList* window = gtk_window_list_toplevels(); window; window = window->next) {
            if (!gtk_widget_get_visible(GTK_WIDGET(window->data))) continue;
            // The dialog's only button in its tab order is OK; activating the
            // default widget presses it.
            gtk_window_activate_default(GTK_WINDOW(window->data));
        }
        return G_SOURCE_REMOVE;
    }
    static int32_t Never() { return 0; }
    static int32_t AtOnce() { return 1; }
};

TEST(ConfigDialogRun, EndsWithOkAndLeavesNoWindow) {
    Settings options;
    options.bpp = 1;
    DisplayChoice mode = startUpMode;
    g_timeout_add(300, ModalRun::PressOkOfTheShownDialog, nullptr);
    EXPECT_EQ(RunGtkConfigDialog(&options, &mode, ModalRun::Never, nullptr), 1);
    EXPECT_EQ(mode.width, 1024);
    EXPECT_EQ(mode.height, 768);
    EXPECT_EQ(mode.colourBits, 32);
    int32_t visible = 0;
    for (GList* window = gtk_window_list_toplevels(); window; window = window->next)
        visible += gtk_widget_get_visible(GTK_WIDGET(window->data)) ? 1 : 0;
    EXPECT_EQ(visible, 0);
}

TEST(ConfigDialogRun, GivingUpChangesNothing) {
    Settings options;
    DisplayChoice mode = startUpMode;
    EXPECT_EQ(RunGtkConfigDialog(&options, &mode, ModalRun::AtOnce, nullptr), -1);
    EXPECT_EQ(options.res, Settings{}.res);
    EXPECT_EQ(options.fullscreen, Settings{}.fullscreen);
    EXPECT_EQ(mode.width, startUpMode.width);
    EXPECT_EQ(mode.fullscreenMode, startUpMode.fullscreenMode);
}

} // namespace
