// Reads a game screen from screenshots of the game window, for the end-to-end
// tests that play the real program.
//
// Usage: e2e_board_reader WIDTH HEIGHT SHOT.ppm [SHOT.ppm...]
//
// WIDTH and HEIGHT are the size the game draws at (its viewport), whose lower
// left corner is the lower left corner of the window. Each shot is the window
// as `import -window ID ppm:FILE` saves it. Prints five lines:
//   board XO.......   the nine cells of the first shot, row by row from the top:
//                     X, O, . (empty) or ? (neither clearly)
//   line N            the winning line drawn in the first shot: 0-2 the rows,
//                     3-5 the columns, 6 and 7 the diagonals; -1 none
//   cursor N          the cell under the cursor sprite, 0-8; -1 when none shows
//   result TEXT       the outcome text: win, loss, tie, player (either
//                     "PlayerN Wins!"), none, or unclear
//   ink A B C D       the white pixels that decided it (below)
//   cells X,Y ...     where the nine cells' centres are in the shots, for a
//                     pointer to point at them
//   hint X,Y X,Y      a point on each half of the key hint, "1) Press 'R' to
//                     Reset" and "2) Press ESC to Exit to Menu"
// The outcome text is read from the pixels that are pure white in every shot:
// the text stands still while the banner behind it scrolls.
// Ends with 0, or 2 with a message when the red grid is not where the given
// size puts it (a wrong size, or no game screen).
//
// Where to look comes from the scene's own coordinates, projected with
// gluProject through the game's perspective (45 degrees, near 1, far 300).

#include <GL/glu.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace {

using Rgb = std::array<int, 3>;

struct Shot {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;

    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    Rgb At(int x, int y) const {
        const size_t at = (size_t(y) * size_t(width) + size_t(x)) * 3;
        return {rgb[at], rgb[at + 1], rgb[at + 2]};
    }
};

// Skips blanks and comments between the fields of a PPM header.
void SkipToField(std::istream& in) {
    for (;;) {
        const int c = in.peek();
        if (c == '#') {
            std::string comment;
            std::getline(in, comment);
        } else if (c == ' ' || c == '\t' || c == '\n' || c == '\r') {
            in.get();
        } else {
            return;
        }
    }
}

bool ReadShot(const char* fileName, Shot* shot) {
    std::ifstream in(fileName, std::ios::binary);
    std::string magic;
    int maxValue = 0;
    in >> magic;
    SkipToField(in);
    in >> shot->width;
    SkipToField(in);
    in >> shot->height;
    SkipToField(in);
    in >> maxValue;
    in.get(); // the one blank before the pixels
    if (!in || magic != "P6" || (maxValue != 255 && maxValue != 65535) || shot->width <= 0 ||
        shot->height <= 0) {
        std::fprintf(stderr, "error: %s is not a binary PPM picture\n", fileName);
        return false;
    }
    // ImageMagick writes 16 bits a sample unless told otherwise; the high byte
    // is the 8-bit value.
    const size_t bytesPerSample = maxValue == 255 ? 1 : 2;
    const size_t samples = size_t(shot->width) * size_t(shot->height) * 3;
    std::vector<uint8_t> raw(samples * bytesPerSample);
    in.read(reinterpret_cast<char*>(raw.data()), std::streamsize(raw.size()));
    if (!in) {
        std::fprintf(stderr, "error: %s is cut short\n", fileName);
        return false;
    }
    shot->rgb.resize(samples);
    for (size_t i = 0; i < samples; ++i) shot->rgb[i] = raw[i * bytesPerSample];
    return true;
}

// The game's projection and the two modelview matrices it draws with, column
// major as OpenGL keeps them.
struct View {
    double projection[16] = {};
    double identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    // gluLookAt from (0, 0, 10) towards the origin with y up: the world moves
    // 10 units away from the eye.
    double markFrame[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, -10, 1};
    int viewport[4] = {};
    int windowHeight = 0;
};

View MakeView(int width, int height, int windowHeight) {
    View view;
    // gluPerspective(45, width / height, 1, 300).
    const double zNear = 1, zFar = 300;
    const double f = 1 / std::tan(45.0 / 2 * M_PI / 180);
    view.projection[0] = f / (double(width) / height);
    view.projection[5] = f;
    view.projection[10] = (zFar + zNear) / (zNear - zFar);
    view.projection[11] = -1;
    view.projection[14] = 2 * zFar * zNear / (zNear - zFar);
    view.viewport[2] = width;
    view.viewport[3] = height;
    view.windowHeight = windowHeight;
    return view;
}

struct Point {
    int x, y; // shot pixel, from the top left
};

Point Project(const View& view, const double* model, double x, double y, double z) {
    double wx = 0, wy = 0, wz = 0;
    gluProject(x, y, z, model, view.projection, view.viewport, &wx, &wy, &wz);
    return {int(std::floor(wx)), int(std::floor(view.windowHeight - wy))};
}

// A point of the board space, where the marks and the winning line lie.
Point OnBoard(const View& view, double x, double y) {
    return Project(view, view.markFrame, x, y, -6);
}

// Samples of one kind and how many of them passed their test. A sample that
// falls outside the shot is left out: a game drawn taller than its window has
// its top rows cut off.
struct Tally {
    int hits = 0;
    int samples = 0;

    // Whether any pixel within `radius` of p passes `test`.
    template <typename Test> void Look(const Shot& shot, Point p, int radius, Test test) {
        if (!shot.Inside(p.x, p.y)) return;
        ++samples;
        for (int dy = -radius; dy <= radius; ++dy)
            for (int dx = -radius; dx <= radius; ++dx)
                if (shot.Inside(p.x + dx, p.y + dy) && test(shot.At(p.x + dx, p.y + dy))) {
                    ++hits;
                    return;
                }
    }
    double Share() const { return samples > 0 ? double(hits) / samples : 0; }
};

bool IsWhite(Rgb c) { return c[0] >= 200 && c[1] >= 200 && c[2] >= 200; }
bool IsPureWhite(Rgb c) { return c[0] >= 250 && c[1] >= 250 && c[2] >= 250; }
bool IsRed(Rgb c) { return c[0] >= 150 && c[1] <= 90 && c[2] <= 90; }

// Within `tolerance` of `expected` in every channel.
bool Near(Rgb c, const std::array<double, 3>& expected, double tolerance) {
    for (int k = 0; k < 3; ++k)
        if (std::abs(c[k] - expected[k]) > tolerance) return false;
    return true;
}

constexpr double cellX[3] = {-5, 0, 5};
constexpr double cellY[3] = {5, 1, -3};

// The share of the O's circle (radius 1.5) that shows white.
double CircleShare(const Shot& shot, const View& view, double cx, double cy) {
    Tally tally;
    for (int i = 0; i < 72; ++i) {
        const double a = 2 * M_PI * i / 72;
        tally.Look(shot, OnBoard(view, cx + 1.5 * std::cos(a), cy + 1.5 * std::sin(a)), 2, IsWhite);
    }
    return tally.Share();
}

// The smaller share of the two strokes of an X that shows the stroke's colour.
// Each stroke blends from one colour to another; the part near the middle, where
// the cursor may cover it, is not looked at.
double CrossShare(const Shot& shot, const View& view, double cx, double cy) {
    struct Stroke {
        double x0, y0, x1, y1;
        std::array<double, 3> from, to;
    };
    const Stroke strokes[2] = {
        {-1.0, 1.5, 1.0, -1.5, {255, 0, 0}, {0, 255, 0}},
        {1.0, 1.5, -1.0, -1.5, {0, 0, 255}, {127.5, 127.5, 127.5}},
    };
    double least = 1;
    for (const Stroke& s : strokes) {
        Tally tally;
        for (double t = 0.04; t <= 0.97; t += 0.02) {
            if (t > 0.2 && t < 0.56) continue;
            std::array<double, 3> expected{};
            for (int k = 0; k < 3; ++k) expected[k] = s.from[k] + t * (s.to[k] - s.from[k]);
            const Point p =
                OnBoard(view, cx + s.x0 + t * (s.x1 - s.x0), cy + s.y0 + t * (s.y1 - s.y0));
            tally.Look(shot, p, 2, [&](Rgb c) { return Near(c, expected, 80); });
        }
        least = std::min(least, tally.Share());
    }
    return least;
}

char ReadCell(const Shot& shot, const View& view, int row, int column) {
    const double circle = CircleShare(shot, view, cellX[column], cellY[row]);
    const double cross = CrossShare(shot, view, cellX[column], cellY[row]);
    if (circle >= 0.75 && cross < 0.3) return 'O';
    if (cross >= 0.7 && circle < 0.5) return 'X';
    if (circle < 0.3 && cross < 0.3) return '.';
    return '?';
}

// The winning line drawn, judged between the cells, where no mark is.
int ReadLine(const Shot& shot, const View& view) {
    struct Segment {
        double x0, y0, x1, y1;
    };
    const Segment lines[8] = {
        {-7, 5, 7, 5},       {-7, 1, 7, 1},       {-7, -3, 7, -3}, {-5, 6.55, -5, -4.75},
        {0, 6.55, 0, -4.75}, {5, 6.55, 5, -4.75}, {-6, 6, 6, -4},  {6, 6, -6, -4},
    };
    int found = -1;
    for (int line = 0; line < 8; ++line) {
        const Segment& s = lines[line];
        Tally tally;
        for (double t = 0; t <= 1.0001; t += 0.005) {
            const double x = s.x0 + t * (s.x1 - s.x0), y = s.y0 + t * (s.y1 - s.y0);
            bool nearMark = false;
            for (double mx : cellX)
                for (double my : cellY)
                    if (std::hypot(x - mx, y - my) < 1.9) nearMark = true;
            if (nearMark) continue;
            tally.Look(shot, OnBoard(view, x, y), 1, IsWhite);
        }
        if (tally.Share() >= 0.85) {
            if (found >= 0) return -2; // two lines: not a picture of this game
            found = line;
        }
    }
    return found;
}

// The cell whose cursor square (from the cell's centre up one unit, half a unit
// to each side) shows the orange of the pointer picture; -1 for none.
int ReadCursor(const Shot& shot, const View& view) {
    int found = -1;
    for (int cell = 0; cell < 9; ++cell) {
        const double cx = cellX[cell % 3], cy = cellY[cell / 3];
        const Point topLeft = OnBoard(view, cx - 0.5, cy + 1);
        const Point bottomRight = OnBoard(view, cx + 0.5, cy);
        int orange = 0;
        for (int y = topLeft.y; y <= bottomRight.y; ++y)
            for (int x = topLeft.x; x <= bottomRight.x; ++x) {
                if (!shot.Inside(x, y)) continue;
                const Rgb c = shot.At(x, y);
                orange += c[0] >= 220 && c[1] >= 120 && c[1] <= 210 && c[2] <= 110;
            }
        if (orange >= 100) {
            if (found >= 0) return -2; // two cursors: not a picture of this game
            found = cell;
        }
    }
    return found;
}

// The red grid's vertical lines, drawn 4 units in front of the eye at x = -0.5
// and 0.5, must be where this size puts them.
bool GridInPlace(const Shot& shot, const View& view) {
    Tally tally;
    for (double x : {-0.5, 0.5})
        for (double y = -1.0; y <= 0.6; y += 0.05)
            tally.Look(shot, Project(view, view.identity, x, y, -4), 1, IsRed);
    return tally.samples > 0 && tally.Share() >= 0.8;
}

// The outcome text starts at x = -0.6 ("The Computer Wins!"), -0.4 ("PlayerN
// Wins!"), -0.25 ("You Win!") or -0.1 ("Tie!"), 6 units in front of the eye at
// y = -2.15. Which of the four stretches from those starts hold ink tells
// the texts apart.
std::string ReadResult(const std::vector<Shot>& shots, const View& view, int ink[4]) {
    const double starts[4] = {-0.6, -0.4, -0.25, -0.1};
    int column[4];
    int baseline = 0;
    for (int i = 0; i < 4; ++i) {
        const Point p = Project(view, view.identity, starts[i], -2.15, -6);
        column[i] = p.x;
        baseline = p.y;
    }
    for (int i = 0; i < 4; ++i) {
        ink[i] = 0;
        const int from = column[i] - 2;
        const int to = i < 3 ? column[i + 1] - 4 : column[i] + 20;
        for (int y = baseline - 18; y <= baseline + 5; ++y)
            for (int x = from; x <= to; ++x) {
                bool everywhere = true;
                for (const Shot& shot : shots)
                    if (!shot.Inside(x, y) || !IsPureWhite(shot.At(x, y))) everywhere = false;
                ink[i] += everywhere;
            }
    }
    bool inked[4];
    for (int i = 0; i < 4; ++i) inked[i] = ink[i] >= 12;
    if (!inked[0] && !inked[1] && !inked[2] && !inked[3]) return "none";
    if (!inked[0] && !inked[1] && !inked[2] && inked[3]) return "tie";
    if (!inked[0] && !inked[1] && inked[2] && inked[3]) return "win";
    if (!inked[0] && inked[1] && inked[2] && inked[3]) return "player";
    if (inked[0] && inked[1] && inked[2] && inked[3]) return "loss";
    return "unclear";
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s WIDTH HEIGHT SHOT.ppm [SHOT.ppm...]\n", argv[0]);
        return 2;
    }
    const int width = std::atoi(argv[1]);
    const int height = std::atoi(argv[2]);
    std::vector<Shot> shots;
    for (int i = 3; i < argc; ++i) {
        Shot shot;
        if (!ReadShot(argv[i], &shot)) return 2;
        if (!shots.empty() && (shot.width != shots[0].width || shot.height != shots[0].height)) {
            std::fprintf(stderr, "error: %s is not the size of %s\n", argv[i], argv[3]);
            return 2;
        }
        shots.push_back(std::move(shot));
    }
    if (width <= 0 || height <= 0) {
        std::fprintf(stderr, "error: no size to read the screen at\n");
        return 2;
    }
    const View view = MakeView(width, height, shots[0].height);
    if (!GridInPlace(shots[0], view)) {
        std::fprintf(stderr,
                     "error: no red grid where a %dx%d game screen has it in a %dx%d shot\n", width,
                     height, shots[0].width, shots[0].height);
        return 2;
    }
    std::string board;
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 3; ++column) board += ReadCell(shots[0], view, row, column);
    std::printf("board %s\nline %d\ncursor %d\n", board.c_str(), ReadLine(shots[0], view),
                ReadCursor(shots[0], view));
    int ink[4];
    const std::string result = ReadResult(shots, view, ink);
    std::printf("result %s\nink %d %d %d %d\ncells", result.c_str(), ink[0], ink[1], ink[2],
                ink[3]);
    for (int cell = 0; cell < 9; ++cell) {
        const Point p = OnBoard(view, cellX[cell % 3], cellY[cell / 3]);
        std::printf(" %d,%d", p.x, p.y);
    }
    // The hint starts at x = -1.55, 6 units in front of the eye, on its baseline
    // at y = -2.4; its second half some 23 characters of the small font later.
    const Point hint = Project(view, view.identity, -1.55, -2.4, -6);
    std::printf("\nhint %d,%d %d,%d\n", hint.x + 30, hint.y - 5, hint.x + 300, hint.y - 5);
    return 0;
}
