// What the game and menu screens put on the screen, read back pixel by pixel.
// Each piece is drawn with the game's own pictures and fonts; where to look is
// worked out here with gluProject from the scene's coordinates, and the colours
// expected there from the pictures themselves.

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "game/board.h"
#include "game/key_table.h"
#include "game/outcome.h"
#include "game/screen_flags.h"
#include "render/bmp_reader.h"
#include "render/draw_frame.h"
#include "render/fonts.h"
#include "render/game_scene.h"
#include "render/menus.h"
#include "render/pointer_targets.h"
#include "render/textures.h"
#include "render/viewport.h"
#include "settings/settings.h"
#include "support/gl_window.h"
#include "support/scratch_folder.h"

// For failure messages.
void PrintTo(const PointerTarget& target, std::ostream* out) {
    *out << "target of kind " << int(target.kind) << ", index " << target.index;
}

namespace {

constexpr int windowWidth = 640;
constexpr int windowHeight = 480;

using Rgb = std::array<uint8_t, 3>;
using Colour = std::array<double, 3>;

std::string Text(Rgb c) {
    return "(" + std::to_string(c[0]) + ", " + std::to_string(c[1]) + ", " + std::to_string(c[2]) +
           ")";
}

bool IsBlack(Rgb c) { return c[0] <= 10 && c[1] <= 10 && c[2] <= 10; }
bool IsWhite(Rgb c) { return c[0] >= 240 && c[1] >= 240 && c[2] >= 240; }
bool IsYellow(Rgb c) { return c[0] >= 240 && c[1] >= 240 && c[2] <= 15; }
// One channel strong and the other two weak.
bool Mostly(Rgb c, int channel) {
    for (int k = 0; k < 3; ++k)
        if (k == channel ? c[k] < 180 : c[k] > 60) return false;
    return true;
}
bool IsGrey(Rgb c) {
    const auto [low, high] = std::minmax({c[0], c[1], c[2]});
    return low >= 90 && high <= 170 && high - low <= 40;
}

// A point in window pixels, from the lower left.
struct WindowPoint {
    double x, y;
};

// Where an object point lands in the window under the current projection and
// viewport, with the modelview matrix that `place` builds from identity.
template <typename Place> WindowPoint Project(Place place, double x, double y, double z) {
    glPushMatrix();
    glLoadIdentity();
    place();
    GLdouble model[16], projection[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    glPopMatrix();
    WindowPoint p{};
    double depth = 0;
    gluProject(x, y, z, model, projection, viewport, &p.x, &p.y, &depth);
    return p;
}

void EyeSpace() {}

// The space the marks, the cursor and the winning line are drawn in.
auto MarkFrame(float x, float y) {
    return [x, y] {
        gluLookAt(0, 0, 10, 0, 0, 0, 0, 1, 0);
        glTranslatef(x, y, -6.0f);
    };
}

// The whole window as read back after drawing.
struct Snapshot {
    std::vector<uint8_t> rgb;

    Rgb At(int x, int y) const {
        if (x < 0 || y < 0 || x >= windowWidth || y >= windowHeight) {
            ADD_FAILURE() << "pixel (" << x << ", " << y << ") is outside the window";
            return {};
        }
        const size_t at = (size_t(y) * windowWidth + size_t(x)) * 3;
        return {rgb[at], rgb[at + 1], rgb[at + 2]};
    }
    Rgb At(WindowPoint p) const { return At(int(std::floor(p.x)), int(std::floor(p.y))); }

    // The brightest pixel within `radius` of p: thin lines land within a pixel
    // of where they are projected.
    Rgb BrightestNear(WindowPoint p, int radius = 1) const {
        Rgb best{};
        for (int dy = -radius; dy <= radius; ++dy)
            for (int dx = -radius; dx <= radius; ++dx) {
                const Rgb c = At(WindowPoint{p.x + dx, p.y + dy});
                if (c[0] + c[1] + c[2] > best[0] + best[1] + best[2]) best = c;
            }
        return best;
    }
};

Snapshot TakeSnapshot() {
    Snapshot shot;
    shot.rgb.resize(size_t(windowWidth) * windowHeight * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, windowWidth, windowHeight, GL_RGB, GL_UNSIGNED_BYTE, shot.rgb.data());
    return shot;
}

using Picture = std::unique_ptr<RgbImage, decltype(&FreeRgbImage)>;

Picture ReadPicture(const char* fileName) { return {LoadDibImage(fileName), &FreeRgbImage}; }

// The picture at texture coordinates (s, t), filtered between the four nearest
// pixels and repeating, as the textures are.
Colour Sample(const RgbImage& picture, double s, double t) {
    const double u = s * picture.width - 0.5, v = t * picture.height - 0.5;
    const double u0 = std::floor(u), v0 = std::floor(v);
    const double a = u - u0, b = v - v0;
    auto texel = [&picture](double i, double j, int channel) {
        const int x = int(std::fmod(std::fmod(i, picture.width) + picture.width, picture.width));
        const int y = int(std::fmod(std::fmod(j, picture.height) + picture.height, picture.height));
        return double(picture.pixels[(size_t(y) * picture.width + size_t(x)) * 3 + channel]);
    };
    Colour c{};
    for (int k = 0; k < 3; ++k)
        c[k] = (1 - a) * (1 - b) * texel(u0, v0, k) + a * (1 - b) * texel(u0 + 1, v0, k) +
               (1 - a) * b * texel(u0, v0 + 1, k) + a * b * texel(u0 + 1, v0 + 1, k);
    return c;
}

// The colours the picture takes within `spread` pixels of (s, t): filtering and
// where exactly a window pixel falls on the picture blur it by about that much.
struct ColourRange {
    Colour low{255, 255, 255}, high{0, 0, 0};
};

ColourRange SampleAround(const RgbImage& picture, double s, double t, double spread) {
    ColourRange range;
    for (int i = -2; i <= 2; ++i)
        for (int j = -2; j <= 2; ++j) {
            const Colour c = Sample(picture, s + i * spread / 2 / picture.width,
                                    t + j * spread / 2 / picture.height);
            for (int k = 0; k < 3; ++k) {
                range.low[k] = std::min(range.low[k], c[k]);
                range.high[k] = std::max(range.high[k], c[k]);
            }
        }
    return range;
}

bool Shows(Rgb c, const ColourRange& range, double tolerance) {
    for (int k = 0; k < 3; ++k)
        if (c[k] < range.low[k] - tolerance || c[k] > range.high[k] + tolerance) return false;
    return true;
}

std::string Text(const ColourRange& range) {
    std::string text;
    for (int k = 0; k < 3; ++k)
        text += (k ? ", " : "") + std::to_string(int(range.low[k])) + ".." +
                std::to_string(int(range.high[k]));
    return "(" + text + ")";
}

// How far apart two expected colours are, channel by channel.
double Distance(const Colour& a, const Colour& b) {
    double most = 0;
    for (int k = 0; k < 3; ++k) most = std::max(most, std::abs(a[k] - b[k]));
    return most;
}

void GameProjection(int width, int height) {
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45, double(width) / height, 1, 300);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void MenuProjection(int width, int height) {
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, width, height, 0, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

// Board from a picture: '.' empty, 'x' a 1, 'o' a 5, row by row.
Board BoardOf(const char* cells) {
    Board result{};
    for (int i = 0; i < 9; ++i) result[i] = cells[i] == 'x' ? 1 : cells[i] == 'o' ? 5 : 0;
    return result;
}

class ScenePixels : public testing::Test {
  protected:
    ScratchFolder folder;
    GlWindow window{windowWidth, windowHeight};
    uint32_t blackTexture = 0;

    ScenePixels() {
        std::filesystem::create_directory_symlink(KELMOT_SOURCE_DIR "/Data", "Data");
        EXPECT_EQ(LoadTextures(), 1);
        viewportWidth = windowWidth;
        viewportHeight = windowHeight;
        BuildLargeFont();
        BuildSmallFont();
        board = {};
        turnFlag = 1;
        cursor = Cursor{};
        bannerScroll = 0.0f;
        screenFlags = ScreenFlags{};
        settings = Settings{};
        keyTable = nullptr;

        const uint8_t black[3] = {0, 0, 0};
        glGenTextures(1, &blackTexture);
        glBindTexture(GL_TEXTURE_2D, blackTexture);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 1, 1, 0, GL_RGB, GL_UNSIGNED_BYTE, black);

        glClearColor(0, 0, 0, 1);
        glEnable(GL_DEPTH_TEST);
        glEnable(GL_TEXTURE_2D);
        GameProjection(windowWidth, windowHeight);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }
    ~ScenePixels() override {
        ReleaseLargeFont();
        ReleaseSmallFont();
    }

    // The game scene on a black sky, without text or cursor, so that the grid
    // and the banner show on their own.
    void DrawPlainScene() {
        ReleaseSmallFont();
        settings.controls = 0;
        const uint32_t stars = textures[starsTexture];
        textures[starsTexture] = blackTexture;
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glLoadIdentity();
        DrawGameScene(0);
        textures[starsTexture] = stars;
    }

    // Pieces drawn on their own start from a cleared window and the identity
    // modelview matrix, texturing on as in the scene.
    static void Clear() {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glLoadIdentity();
        glEnable(GL_TEXTURE_2D);
    }
};

TEST_F(ScenePixels, GridLinesAreRedWhereProjected) {
    DrawPlainScene();
    const Snapshot shot = TakeSnapshot();
    struct GridPoint {
        float x, y;
        bool horizontal;
    };
    const GridPoint points[] = {
        {-1.2f, 0.8f, true},   {0.0f, 0.8f, true},  {1.2f, 0.8f, true},   {-1.2f, -0.2f, true},
        {0.0f, -0.2f, true},   {1.2f, -0.2f, true}, {-0.5f, 1.2f, false}, {-0.5f, 0.3f, false},
        {-0.5f, -0.8f, false}, {0.5f, 1.2f, false}, {0.5f, 0.3f, false},  {0.5f, -0.8f, false},
    };
    for (const GridPoint& g : points) {
        SCOPED_TRACE(testing::Message() << "grid point (" << g.x << ", " << g.y << ")");
        const WindowPoint on = Project(EyeSpace, g.x, g.y, -4);
        const Rgb line = shot.BrightestNear(on);
        EXPECT_TRUE(line[0] >= 250 && line[1] <= 5 && line[2] <= 5) << Text(line);
        // Five pixels to either side of the line there is only the black sky.
        for (int side : {-5, 5}) {
            const WindowPoint off =
                g.horizontal ? WindowPoint{on.x, on.y + side} : WindowPoint{on.x + side, on.y};
            EXPECT_TRUE(IsBlack(shot.At(off))) << Text(shot.At(off)) << " at side " << side;
        }
    }
}

TEST_F(ScenePixels, SkyIsUprightAndTheGridAddsToIt) {
    settings.controls = 0; // no cursor
    Clear();
    DrawGameScene(0);
    const Snapshot shot = TakeSnapshot();
    const Picture stars = ReadPicture("Data/stars.bmp");
    ASSERT_TRUE(stars);

    auto sky = [] { glTranslatef(0.0f, 0.0f, -30.0f); };
    const WindowPoint low = Project(sky, -20.1, -20.1, 0), high = Project(sky, 20.1, 20.1, 0);
    // The top left of the window, clear of the grid, the banner and the text.
    double mostTelling = 0;
    int mismatches = 0;
    for (int py = 260; py < windowHeight - 4; py += 3) {
        for (int px = 6; px < 95; px += 3) {
            const double s = (px + 0.5 - low.x) / (high.x - low.x);
            const double t = (py + 0.5 - low.y) / (high.y - low.y);
            const Rgb seen = shot.At(px, py);
            const ColourRange expected = SampleAround(*stars, s, t, 0.75);
            if (!Shows(seen, expected, 10) && ++mismatches <= 3)
                ADD_FAILURE() << "at (" << px << ", " << py << ") " << Text(seen) << ", picture "
                              << Text(expected);
            mostTelling =
                std::max(mostTelling, Distance(Sample(*stars, s, t), Sample(*stars, s, 1 - t)));
        }
    }
    EXPECT_EQ(mismatches, 0);
    // The place looked at must tell an upright picture from an upside-down one.
    EXPECT_GT(mostTelling, 60);

    // The grid's red is added to the sky: along the horizontals the red is full
    // and the green and blue are the sky's.
    const double gridLeft = Project(EyeSpace, -0.5, 0, -4).x;
    const double gridRight = Project(EyeSpace, 0.5, 0, -4).x;
    int telling = 0;
    mismatches = 0;
    for (double y : {0.8, -0.2}) {
        const WindowPoint from = Project(EyeSpace, -1.4, y, -4), to = Project(EyeSpace, 1.4, y, -4);
        for (int px = int(from.x); px < int(to.x); ++px) {
            if (std::abs(px + 0.5 - gridLeft) < 4 || std::abs(px + 0.5 - gridRight) < 4) continue;
            Rgb line{};
            for (int dy = -1; dy <= 1; ++dy) {
                const Rgb c = shot.At(px, int(std::floor(from.y)) + dy);
                if (c[0] > line[0]) line = c;
            }
            const double s = (px + 0.5 - low.x) / (high.x - low.x);
            const double t = (from.y - low.y) / (high.y - low.y);
            ColourRange sky = SampleAround(*stars, s, t, 1.5);
            telling += std::max(sky.low[1], sky.low[2]) > 25;
            sky.low[0] = sky.high[0] = 255;
            if (!Shows(line, sky, 10) && ++mismatches <= 3)
                ADD_FAILURE() << "line at (" << px << ", " << from.y << ") " << Text(line)
                              << ", red over the sky " << Text(sky);
        }
    }
    EXPECT_EQ(mismatches, 0);
    EXPECT_GT(telling, 5) << "too little sky under the grid to tell adding from covering";
}

TEST_F(ScenePixels, BannerShowsItsPictureMovedByTheScroll) {
    // Wide enough for both ends of the banner to be on screen.
    constexpr int width = windowWidth, height = windowWidth / 2;
    GameProjection(width, height);
    const Picture strip = ReadPicture("Data/blue.bmp");
    ASSERT_TRUE(strip);
    auto banner = [] { glTranslatef(0.0f, -1.5f, -4.0f); };
    const WindowPoint low = Project(banner, -3.1, -0.2, 0), high = Project(banner, 3.1, 0.2, 0);
    ASSERT_GT(low.x, 2);
    ASSERT_LT(high.x, width - 2);
    // The grid's verticals run through the banner.
    const double gridLeft = Project(EyeSpace, -0.5, 0, -4).x;
    const double gridRight = Project(EyeSpace, 0.5, 0, -4).x;

    // The picture repeats every half width, so 0.5 looks like 0 and a move by
    // 0.25 either way looks the same; 0.3 tells the direction. The scroll only
    // ever grows, far past one width.
    for (float scroll : {0.0f, 0.3f, 0.5f, 10.8f}) {
        SCOPED_TRACE(testing::Message() << "bannerScroll " << scroll);
        bannerScroll = scroll;
        DrawPlainScene();
        const Snapshot shot = TakeSnapshot();
        int mismatches = 0;
        for (double row : {0.3, 0.7}) {
            const int py = int(std::floor(low.y + row * (high.y - low.y)));
            const double t = (py + 0.5 - low.y) / (high.y - low.y);
            // From the left edge, which shows the picture at s = -scroll.
            for (int px = int(std::ceil(low.x)); px < int(std::floor(high.x)); ++px) {
                if (std::abs(px + 0.5 - gridLeft) < 3 || std::abs(px + 0.5 - gridRight) < 3)
                    continue;
                const double s = -scroll + (px + 0.5 - low.x) / (high.x - low.x);
                const Rgb seen = shot.At(px, py);
                const ColourRange expected = SampleAround(*strip, s, t, 0.75);
                if (!Shows(seen, expected, 8) && ++mismatches <= 3)
                    ADD_FAILURE() << "at (" << px << ", " << py << ") " << Text(seen)
                                  << ", picture " << Text(expected);
            }
        }
        EXPECT_EQ(mismatches, 0);
    }
}

TEST_F(ScenePixels, MarksAtTheirCells) {
    for (const auto& [x, y] : {std::pair{-5.0f, 5.0f}, std::pair{5.0f, -3.0f}}) {
        SCOPED_TRACE(testing::Message() << "cell at (" << x << ", " << y << ")");
        auto at = [x, y](double px, double py) { return Project(MarkFrame(x, y), px, py, 0); };

        // X: each stroke shades from the colour of one end to that of the other;
        // look 8% of the way in from each end.
        Clear();
        DrawX(x, y);
        Snapshot shot = TakeSnapshot();
        const Rgb redEnd = shot.BrightestNear(at(-0.84, 1.26));
        const Rgb greenEnd = shot.BrightestNear(at(0.84, -1.26));
        const Rgb blueEnd = shot.BrightestNear(at(0.84, 1.26));
        const Rgb greyEnd = shot.BrightestNear(at(-0.84, -1.26));
        EXPECT_TRUE(Mostly(redEnd, 0)) << Text(redEnd);
        EXPECT_TRUE(Mostly(greenEnd, 1)) << Text(greenEnd);
        EXPECT_TRUE(Mostly(blueEnd, 2)) << Text(blueEnd);
        EXPECT_TRUE(IsGrey(greyEnd)) << Text(greyEnd);
        EXPECT_TRUE(IsBlack(shot.At(at(0, 1.0)))) << "between the strokes' tops";

        // O: a white ring of radius 1.5, empty inside and out.
        Clear();
        DrawO(x, y);
        shot = TakeSnapshot();
        for (double degrees : {0.0, 90.0, 200.0, 300.0}) {
            const double angle = degrees * M_PI / 180;
            const Rgb ring = shot.BrightestNear(at(1.5 * std::cos(angle), 1.5 * std::sin(angle)));
            EXPECT_TRUE(IsWhite(ring)) << Text(ring) << " at " << degrees << " degrees";
        }
        for (const auto& [px, py] :
             {std::pair{0.0, 0.0}, std::pair{0.75, 0.0}, std::pair{2.0, 0.0}})
            EXPECT_TRUE(IsBlack(shot.At(at(px, py)))) << "at (" << px << ", " << py << ")";
    }
}

TEST_F(ScenePixels, MarkSymbolsFollowTheModeAndOptions) {
    struct SymbolCase {
        uint8_t twoPlayers;
        int32_t xoro, player1xoro;
        bool oneIsX;
    };
    const SymbolCase cases[] = {
        {0, 1, 1, true}, {0, 0, 1, false}, {0, 2, 0, true}, {1, 0, 0, true}, {1, 1, 1, true},
    };
    // A 1 at the top left, a 5 at the bottom right, the middle cell empty.
    board = BoardOf("x.......o");
    auto isX = [](const Snapshot& shot, float x, float y) {
        return Mostly(shot.BrightestNear(Project(MarkFrame(x, y), -0.84, 1.26, 0)), 0);
    };
    auto isO = [](const Snapshot& shot, float x, float y) {
        return IsWhite(shot.BrightestNear(Project(MarkFrame(x, y), 1.5, 0, 0)));
    };
    for (const SymbolCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "twoPlayerGame " << int(c.twoPlayers) << ", xoro "
                                        << c.xoro << ", player1xoro " << c.player1xoro);
        screenFlags.twoPlayerGame = c.twoPlayers;
        settings.xoro = c.xoro;
        settings.player1xoro = c.player1xoro;
        Clear();
        DrawMarks();
        const Snapshot shot = TakeSnapshot();
        EXPECT_EQ(isX(shot, -5, 5), c.oneIsX);
        EXPECT_EQ(isO(shot, -5, 5), !c.oneIsX);
        EXPECT_EQ(isX(shot, 5, -3), !c.oneIsX);
        EXPECT_EQ(isO(shot, 5, -3), c.oneIsX);
        EXPECT_TRUE(IsBlack(shot.BrightestNear(Project(MarkFrame(0, 1), -0.84, 1.26, 0))));
        EXPECT_TRUE(IsBlack(shot.BrightestNear(Project(MarkFrame(0, 1), 1.5, 0, 0))));
    }
}

TEST_F(ScenePixels, WinningLineRunsThroughTheLineFound) {
    struct Segment {
        float x0, y0, x1, y1;
    };
    struct LineCase {
        const char* cells;
        GameResult result;
        std::optional<Segment> drawn;
        std::optional<Segment> notDrawn; // another line on the board
    };
    const LineCase cases[] = {
        {"...xxx...", 1, Segment{-7, 1, 7, 1}, {}},
        {"..o..o..o", 2, Segment{5, 6.55f, 5, -4.75f}, {}},
        {"x...x...x", 1, Segment{-6, 6, 6, -4}, {}},
        {"..o.o.o..", 2, Segment{6, 6, -6, -4}, {}},
        // Rows before columns, and the 1s before the 5s.
        {"xxxx..x..", 1, Segment{-7, 5, 7, 5}, Segment{-5, 6.55f, -5, -4.75f}},
        {"ooo...xxx", 1, Segment{-7, -3, 7, -3}, Segment{-7, 5, 7, 5}},
        {"xoxxoxoxo", 3, {}, {}},
        {"x...o....", 0, {}, {}},
    };
    auto at = [](const Segment& s, double f) {
        return Project(MarkFrame(0, 0), s.x0 + f * (s.x1 - s.x0), s.y0 + f * (s.y1 - s.y0), 0);
    };
    for (const LineCase& c : cases) {
        SCOPED_TRACE(c.cells);
        board = BoardOf(c.cells);
        Clear();
        EXPECT_EQ(CheckOutcome(), c.result);
        const Snapshot shot = TakeSnapshot();
        if (c.drawn) {
            for (double f : {0.02, 0.3, 0.5, 0.7, 0.98})
                EXPECT_TRUE(IsWhite(shot.BrightestNear(at(*c.drawn, f)))) << "at " << f;
            // Half a unit to the side of its middle there is nothing.
            const Segment& s = *c.drawn;
            const double length = std::hypot(s.x1 - s.x0, s.y1 - s.y0);
            const double nx = -(s.y1 - s.y0) / length * 0.5, ny = (s.x1 - s.x0) / length * 0.5;
            const double mx = (s.x0 + s.x1) / 2, my = (s.y0 + s.y1) / 2;
            EXPECT_TRUE(IsBlack(shot.At(Project(MarkFrame(0, 0), mx + nx, my + ny, 0))));
        }
        if (c.notDrawn) {
            for (double f : {0.3, 0.5, 0.7, 0.9})
                EXPECT_TRUE(IsBlack(shot.BrightestNear(at(*c.notDrawn, f)))) << "at " << f;
        }
        if (!c.drawn) {
            int lit = 0;
            for (uint8_t value : shot.rgb) lit += value != 0;
            EXPECT_EQ(lit, 0) << "no line, nothing drawn";
        }
    }
}

TEST_F(ScenePixels, CursorIsCutOutOfTheSceneByItsMask) {
    const Picture pointer = ReadPicture("Data/pointer.bmp");
    const Picture mask = ReadPicture("Data/pointermask.bmp");
    ASSERT_TRUE(pointer && mask);
    // Places in the 64 x 64 pictures, from their top left: in the arrow's shaft
    // and head, and in three corners outside the arrow.
    struct Spot {
        int x, y;
        bool inArrow;
    };
    const Spot spots[] = {{36, 18, true}, {36, 34, true},  {32, 48, true},
                          {6, 6, false},  {58, 10, false}, {6, 54, false}};
    // What the cursor is drawn over: (51, 102, 204).
    glClearColor(0.2f, 0.4f, 0.8f, 1.0f);

    struct Place {
        float x, y;
        int32_t column, row;
    };
    for (const Place& place : {Place{0, 5, 1, 0}, Place{-5, -3, 0, 2}, Place{5, 1, 2, 1}}) {
        SCOPED_TRACE(testing::Message() << "cursor at (" << place.x << ", " << place.y << ")");
        cursor = Cursor{place.x, place.y, -1, -1};
        // A depth buffer that turns every fragment away: the cursor is drawn
        // without the depth test, so it shows all the same.
        glClearDepth(0.0);
        Clear();
        glClearDepth(1.0);
        glEnable(GL_DEPTH_TEST);
        DrawCursor();
        const Snapshot shot = TakeSnapshot();
        for (const Spot& spot : spots) {
            SCOPED_TRACE(testing::Message()
                         << "picture point (" << spot.x << ", " << spot.y << ")");
            const double s = (spot.x + 0.5) / 64, t = 1 - (spot.y + 0.5) / 64;
            // The pictures are shrunk on screen; the texture's smaller copies
            // blur them by a couple of pixels.
            const ColourRange maskThere = SampleAround(*mask, s, t, 2.0);
            ASSERT_TRUE(spot.inArrow ? maskThere.high[0] <= 5 : maskThere.low[0] >= 250)
                << "mask " << Text(maskThere);
            const Rgb seen = shot.At(Project(MarkFrame(place.x, place.y), s - 0.5, t, 0));
            if (spot.inArrow) {
                const ColourRange arrow = SampleAround(*pointer, s, t, 2.0);
                EXPECT_TRUE(Shows(seen, arrow, 12)) << Text(seen) << ", pointer " << Text(arrow);
            } else {
                EXPECT_TRUE(Shows(seen, ColourRange{{51, 102, 204}, {51, 102, 204}}, 3))
                    << Text(seen) << ", underneath (51, 102, 204)";
            }
        }
        EXPECT_EQ(cursor.column, place.column);
        EXPECT_EQ(cursor.row, place.row);
    }
    glClearColor(0, 0, 0, 1);
}

// The pixels of a line of text that `lit` picks out in the rows `from` to `to`
// above its baseline (below it where negative), columns x0 to x1: how many, the
// leftmost column, and how many are not white; rows outside the window are left
// out. Bitmap text sits on the pixel row
// of its raster position, so the rows just above it hold most of the glyphs and
// those below only the descenders.
struct Lit {
    int count = 0;
    int leftmost = -1;
    int notWhite = 0;
};

Lit LitRows(const Snapshot& shot, WindowPoint baseline, int x0, int x1, int from, int to,
            bool (*lit)(Rgb)) {
    Lit result;
    const int base = int(std::floor(baseline.y));
    for (int x = std::max(0, x0); x < std::min(x1, windowWidth); ++x)
        for (int y = std::max(0, base + from); y <= std::min(base + to, windowHeight - 1); ++y) {
            const Rgb c = shot.At(x, y);
            if (!lit(c)) continue;
            ++result.count;
            result.notWhite += !IsWhite(c);
            if (result.leftmost < 0) result.leftmost = x;
        }
    return result;
}

bool NotBlack(Rgb c) { return !IsBlack(c); }
bool YellowOrWhite(Rgb c) { return IsYellow(c) || IsWhite(c); }

TEST_F(ScenePixels, ResultTextAndHintStartAtTheirRasterPositions) {
    struct TextCase {
        uint8_t twoPlayers;
        GameResult result;
        std::optional<float> x; // where the outcome text starts, if there is one
    };
    const TextCase cases[] = {
        {0, 0, {}}, {0, 1, -0.25f}, {0, 2, -0.6f}, {0, 3, -0.1f}, {1, 1, -0.4f}, {1, 2, -0.4f},
    };
    for (const TextCase& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "twoPlayerGame " << int(c.twoPlayers) << ", result " << c.result);
        screenFlags.twoPlayerGame = c.twoPlayers;
        Clear();
        glColor3f(1.0f, 0.0f, 0.0f); // the text is white whatever came before
        DrawResultText(c.result);
        const Snapshot shot = TakeSnapshot();

        const WindowPoint outcome = Project(EyeSpace, c.x.value_or(-0.25f), -2.15, -6);
        const int outcomeX = int(outcome.x);
        const Lit text = LitRows(shot, outcome, outcomeX - 60, windowWidth, 1, 11, NotBlack);
        if (c.x) {
            EXPECT_GT(text.count, 20);
            EXPECT_GE(text.leftmost, outcomeX - 1);
            EXPECT_LE(text.leftmost, outcomeX + 4);
            EXPECT_EQ(text.notWhite, 0);
            // Nothing higher than the tallest letters, little below the baseline.
            EXPECT_EQ(LitRows(shot, outcome, 0, windowWidth, 17, 26, NotBlack).count, 0);
            EXPECT_LT(4 * LitRows(shot, outcome, 0, windowWidth, -10, -2, NotBlack).count,
                      text.count);
        } else {
            EXPECT_EQ(text.count, 0);
        }

        const WindowPoint hint = Project(EyeSpace, -1.55, -2.4, -6);
        const int hintX = int(hint.x);
        const Lit hintText = LitRows(shot, hint, hintX - 60, windowWidth, 1, 11, NotBlack);
        EXPECT_GT(hintText.count, 100);
        EXPECT_GE(hintText.leftmost, hintX - 1);
        EXPECT_LE(hintText.leftmost, hintX + 5);
        EXPECT_EQ(hintText.notWhite, 0);
        EXPECT_LT(4 * LitRows(shot, hint, 0, windowWidth, -10, -2, NotBlack).count, hintText.count);
    }
}

TEST_F(ScenePixels, MenuPictureFillsTheWindowUpright) {
    ReleaseLargeFont(); // the rows would hide parts of the picture
    MenuProjection(windowWidth, windowHeight);
    DrawMenuFrame();
    const Snapshot shot = TakeSnapshot();
    const Picture screen = ReadPicture("Data/screen.bmp");
    ASSERT_TRUE(screen);
    double mostTelling = 0;
    int mismatches = 0;
    for (int py = 1; py < windowHeight; py += 4) {
        for (int px = 1; px < windowWidth; px += 4) {
            const double s = (px + 0.5) / windowWidth, t = (py + 0.5) / windowHeight;
            const Rgb seen = shot.At(px, py);
            const ColourRange expected = SampleAround(*screen, s, t, 0.75);
            if (!Shows(seen, expected, 6) && ++mismatches <= 3)
                ADD_FAILURE() << "at (" << px << ", " << py << ") " << Text(seen) << ", picture "
                              << Text(expected);
            mostTelling =
                std::max(mostTelling, Distance(Sample(*screen, s, t), Sample(*screen, s, 1 - t)));
        }
    }
    EXPECT_EQ(mismatches, 0);
    EXPECT_GT(mostTelling, 20);
}

// Where each main menu row starts: x = W / divisor, baseline at
// H / 4.5 + step * H / 10 from the top.
constexpr std::pair<double, double> mainMenuRows[] = {{3.3, -0.5}, {3.0, 1.0},  {2.9, 2.5},
                                                      {2.6, 4.0},  {2.35, 5.5}, {2.1, 7.0}};

TEST_F(ScenePixels, HighlightedMenuRowIsYellow) {
    MenuProjection(windowWidth, windowHeight);
    const double w = windowWidth, h = windowHeight;
    const auto& rows = mainMenuRows;
    for (int32_t highlight = 0; highlight < 6; ++highlight) {
        screenFlags.mainMenuRow = highlight;
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        DrawMenuFrame();
        const Snapshot shot = TakeSnapshot();
        for (int32_t row = 0; row < 6; ++row) {
            SCOPED_TRACE(testing::Message() << "highlight " << highlight << ", row " << row);
            const auto [divisor, step] = rows[row];
            const WindowPoint start = Project(EyeSpace, w / divisor, h / 4.5 + step * h / 10, 0);
            const int x0 = int(start.x) - 20, x1 = int(start.x) + 120;
            const Lit body = LitRows(shot, start, x0, x1, 1, 12, YellowOrWhite);
            const int white = body.count - body.notWhite, yellow = body.notWhite;
            EXPECT_EQ(yellow > 20, row == highlight) << yellow << " yellow pixels";
            EXPECT_EQ(white > 20, row != highlight) << white << " white pixels";
            EXPECT_TRUE(yellow == 0 || white == 0);
            EXPECT_GE(body.leftmost, int(start.x) - 1);
            EXPECT_LE(body.leftmost, int(start.x) + 4);
            // Nothing higher than the tallest letters, little below the baseline.
            EXPECT_EQ(LitRows(shot, start, x0, x1, 20, 30, YellowOrWhite).count, 0);
            EXPECT_LT(4 * LitRows(shot, start, x0, x1, -10, -2, YellowOrWhite).count, body.count);
        }
    }
}

// An edited prefs.txt can hold any number: an option screen shows the text of
// 1 only for 1, and every other value ("FALSE", "O's", "The Keypad", "Player1")
// as it shows 0.
TEST_F(ScenePixels, OptionScreensShowAnyValueButOneAsZero) {
    MenuProjection(windowWidth, windowHeight);
    auto drawWithEveryOption = [](int32_t value) {
        for (const SettingsEntry& entry : settingsEntries) settings.*entry.field = value;
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        DrawMenuFrame();
        return TakeSnapshot().rgb;
    };
    for (uint8_t ScreenFlags::*screen :
         {&ScreenFlags::aiOptionsOpen, &ScreenFlags::multiplayerOptionsOpen,
          &ScreenFlags::globalOptionsOpen}) {
        screenFlags = ScreenFlags{};
        screenFlags.*screen = 1;
        const std::vector<uint8_t> zero = drawWithEveryOption(0);
        EXPECT_NE(drawWithEveryOption(1), zero) << "1 has a text of its own";
        for (int32_t other : {7, -1, 2, INT32_MIN}) {
            SCOPED_TRACE(other);
            EXPECT_EQ(drawWithEveryOption(other), zero);
        }
    }
}

TEST_F(ScenePixels, LargeFontHeightFollowsTheViewportSize) {
    struct FontCase {
        float width, height;
        int32_t fontHeight;
    };
    // Sizes without a height of their own keep the height chosen before them.
    const FontCase cases[] = {
        {800, 600, -33}, {500, 400, -33}, {1024, 768, -40}, {1024, 600, -40}, {640, 400, -40},
        {640, 480, -25}, {480, 640, -25}, {800, 768, -25},  {800, 600, -33},
    };
    for (const FontCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height);
        viewportWidth = c.width;
        viewportHeight = c.height;
        ReleaseLargeFont();
        BuildLargeFont();
        EXPECT_EQ(largeFontHeight, c.fontHeight);

        // The font is built at that height: a capital stands about two thirds
        // of the em high.
        MenuProjection(windowWidth, windowHeight);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glDisable(GL_TEXTURE_2D);
        glColor3f(1.0f, 1.0f, 1.0f);
        glRasterPos2f(40.0f, 300.0f);
        PrintLarge("H");
        const Snapshot shot = TakeSnapshot();
        int top = -1, bottom = windowHeight;
        for (int y = 0; y < windowHeight; ++y)
            for (int x = 30; x < 120; ++x)
                if (IsWhite(shot.At(x, y))) {
                    top = std::max(top, y);
                    bottom = std::min(bottom, y);
                }
        const double capital = top - bottom + 1, em = -c.fontHeight;
        EXPECT_GT(capital, 0.55 * em);
        EXPECT_LT(capital, 0.8 * em);
    }
}

// The pointer finds the menu row the last frame drew where it drew it, at the
// four full-screen sizes and an odd window size: over its text and half way to
// the rows beside it, and nothing elsewhere.
TEST_F(ScenePixels, PointerFindsTheMenuRowsAtEverySize) {
    using Kind = PointerTargetKind;
    const std::pair<int, int> sizes[] = {
        {1280, 1024}, {1024, 768}, {800, 600}, {640, 480}, {1001, 657}};
    for (const auto& [w, h] : sizes) {
        SCOPED_TRACE(testing::Message() << w << "x" << h);
        viewportWidth = float(w);
        viewportHeight = float(h);
        ReleaseLargeFont();
        BuildLargeFont();
        const double em = -largeFontHeight, halfPitch = 0.075 * h;

        screenFlags = ScreenFlags{};
        MenuProjection(w, h);
        DrawFrame();
        for (int32_t row = 0; row < 6; ++row) {
            SCOPED_TRACE(testing::Message() << "row " << row);
            const auto [divisor, step] = mainMenuRows[row];
            // Where its capitals stand, in window coordinates from the lower left.
            const double x = w / divisor, middle = h - (h / 4.5 + step * h / 10) + em / 3;
            const PointerTarget it{Kind::menuRow, row};
            EXPECT_EQ(PointerTargetAt(x + em, middle), it);
            EXPECT_EQ(PointerTargetAt(x + em, middle + halfPitch - 1), it);
            EXPECT_EQ(PointerTargetAt(x + em, middle - halfPitch + 1), it);
            EXPECT_EQ(PointerTargetAt(x - em, middle), PointerTarget{});
        }
        EXPECT_EQ(PointerTargetAt(w / 3.3 + em, h - 0.02 * h), PointerTarget{}) << "above the rows";
    }
}

// Runs of adjacent indices whose count passes `least`, by their middles.
std::vector<double> MiddlesOfRuns(const std::vector<int>& counts, int least) {
    std::vector<double> middles;
    int runStart = -1;
    for (int i = 0; i <= int(counts.size()); ++i) {
        const bool in = i < int(counts.size()) && counts[i] > least;
        if (in && runStart < 0) runStart = i;
        if (!in && runStart >= 0) {
            middles.push_back((runStart + i - 1) / 2.0);
            runStart = -1;
        }
    }
    return middles;
}

// The box around the pixels that pass `is`, in window pixels from the lower left.
struct PixelBox {
    int left = 1 << 30, bottom = 1 << 30, right = -1, top = -1;
    bool Empty() const { return right < 0; }
};

// The game scene drawn in windows of the sizes players have (full screen, and
// maximised under a taskbar and caption), read back, and the pointer tried
// where the player sees things: 10 pixels either side of each grid line as
// drawn falls in the cell on that side; the key hint's halves answer over
// their words, and the outcome text above them does not.
TEST(PointerOnTheBoard, LandsInTheCellThePlayerSeesAndOnTheHintsWords) {
    using Kind = PointerTargetKind;
    const std::pair<int, int> sizes[] = {{1280, 968}, {1024, 712}, {800, 600}, {640, 480}};
    ScratchFolder folder;
    std::filesystem::create_directory_symlink(KELMOT_SOURCE_DIR "/Data", "Data");
    for (const auto& [w, h] : sizes) {
        SCOPED_TRACE(testing::Message() << w << "x" << h);
        GlWindow window{w, h};
        ASSERT_EQ(LoadTextures(), 1);
        BuildSmallFont();
        // A black sky and banner: the grid's lines are the only red, the text
        // the only white.
        const uint8_t black[3] = {0, 0, 0};
        uint32_t blackTexture = 0;
        glGenTextures(1, &blackTexture);
        glBindTexture(GL_TEXTURE_2D, blackTexture);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 1, 1, 0, GL_RGB, GL_UNSIGNED_BYTE, black);
        textures[starsTexture] = textures[blueTexture] = blackTexture;
        settings = Settings{};
        settings.controls = 0; // no cursor
        screenFlags = ScreenFlags{};
        screenFlags.inMenu = 0;
        glClearColor(0, 0, 0, 1);
        glEnable(GL_DEPTH_TEST);
        glEnable(GL_TEXTURE_2D);
        GameProjection(w, h);

        std::vector<uint8_t> rgb(size_t(w) * h * 3);
        auto drawAndRead = [&](GameResult result) {
            glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
            glLoadIdentity();
            ForgetPointerTargets();
            DrawGameScene(result);
            glPixelStorei(GL_PACK_ALIGNMENT, 1);
            glReadPixels(0, 0, w, h, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
        };
        auto pixel = [&](int x, int y) {
            const size_t at = (size_t(y) * w + size_t(x)) * 3;
            return Rgb{rgb[at], rgb[at + 1], rgb[at + 2]};
        };
        auto isRed = [](Rgb c) { return c[0] >= 200 && c[1] <= 60 && c[2] <= 60; };
        auto whiteBox = [&](int above) {
            PixelBox box;
            for (int y = above; y < h; ++y)
                for (int x = 0; x < w; ++x)
                    if (IsWhite(pixel(x, y))) {
                        box = {std::min(box.left, x), std::min(box.bottom, y),
                               std::max(box.right, x), std::max(box.top, y)};
                    }
            return box;
        };

        drawAndRead(0);
        std::vector<int> redInColumn(w), redInRow(h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (isRed(pixel(x, y))) {
                    ++redInColumn[x];
                    ++redInRow[y];
                }
        // The lines down cross most of the window's height, those across most
        // of the board's width.
        const std::vector<double> down = MiddlesOfRuns(redInColumn, h / 3);
        std::vector<double> across = MiddlesOfRuns(redInRow, w / 8);
        ASSERT_EQ(down.size(), 2u);
        ASSERT_EQ(across.size(), 2u);
        std::sort(across.rbegin(), across.rend()); // the top line first
        for (const double x : {down[0] - 10, down[0] + 10, down[1] - 10, down[1] + 10})
            for (const double y :
                 {across[0] + 40, across[0] + 10, across[0] - 10, across[1] + 10, across[1] - 10}) {
                const int32_t column = (x > down[0]) + (x > down[1]);
                const int32_t row = (y < across[0]) + (y < across[1]);
                EXPECT_EQ(PointerTargetAt(float(x + 0.5), float(y + 0.5)),
                          (PointerTarget{Kind::cell, row * 3 + column}))
                    << "at (" << x << ", " << y << ")";
            }
        EXPECT_EQ(PointerTargetAt(5.5f, float(across[0] - 10)), PointerTarget{})
            << "beside the board";

        // The hint is the only text while the game goes on.
        const PixelBox hint = whiteBox(0);
        ASSERT_FALSE(hint.Empty());
        ASSERT_LT(hint.top, across[1]);
        const float middle = (hint.bottom + hint.top) / 2.0f + 0.5f;
        const float tenth = (hint.right - hint.left) / 10.0f;
        for (const float y : {middle, hint.bottom - 1.5f, hint.top + 1.5f}) {
            EXPECT_EQ(PointerTargetAt(hint.left + tenth, y).kind, Kind::reset) << y;
            EXPECT_EQ(PointerTargetAt(hint.right - tenth, y).kind, Kind::backToMenu) << y;
        }
        // "You Win!" above it, and the banner it stands on, answer nothing.
        drawAndRead(1);
        const PixelBox outcome = whiteBox(hint.top + 2);
        ASSERT_FALSE(outcome.Empty());
        for (const float y :
             {outcome.bottom + 0.5f, (outcome.bottom + outcome.top) / 2.0f, outcome.top + 2.5f})
            EXPECT_EQ(PointerTargetAt((outcome.left + outcome.right) / 2.0f, y), PointerTarget{})
                << y;

        ReleaseSmallFont();
        glDeleteTextures(1, &blackTexture);
    }
}

} // namespace
