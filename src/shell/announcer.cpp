#include "shell/announcer.h"

#include <string>

#include "game/board.h"
#include "game/outcome.h"
#include "game/screen_flags.h"
#include "game/turns.h"
#include "platform/speech.h"
#include "render/game_scene.h"
#include "render/menus.h"

namespace {

// What a listener is told about: the screen, its highlighted row as drawn, and
// in a game the board, the cursor's cell (-1 where no cursor is shown) and the
// result the board shows.
struct Heard {
    bool known = false;
    bool inGame = false;
    const int32_t* menuRow = nullptr; // which menu screen is shown
    std::string rowText;
    Board board{};
    int32_t cursorCell = -1;
    GameResult result = 0;
};

Heard heard;

constexpr const char* cellNames[9] = {
    "top left",     "top centre",  "top right",     "middle left",  "centre",
    "middle right", "bottom left", "bottom centre", "bottom right",
};

const char* PlayerName(bool playerOne) {
    if (!screenFlags.twoPlayerGame) return playerOne ? "You" : "The Computer";
    return playerOne ? "Player1" : "Player2";
}

const char* MarkName(CellValue value) { return (value == markOne) == OneShowsAsX() ? "X" : "O"; }

void Add(std::string& said, const std::string& sentence) {
    if (!said.empty()) said += ' ';
    said += sentence;
}

std::string Capitalised(std::string text) {
    if (!text.empty() && text[0] >= 'a' && text[0] <= 'z') text[0] = char(text[0] - 'a' + 'A');
    return text;
}

// Who moves first and with which mark.
std::string GameStart() {
    const bool twoPlayers = screenFlags.twoPlayerGame != 0;
    std::string text = twoPlayers ? "New Two Player Game. Player1 has the "
                                  : "New Game VS. Computer. You have the ";
    text += MarkName(PlayerOneMark());
    text += "'s. ";
    const bool playerOneFirst = PlayerOneMovesFirst();
    text += PlayerName(playerOneFirst);
    text += !twoPlayers && playerOneFirst ? " move first." : " moves first.";
    return text;
}

std::string CellSentence(int32_t cell) {
    const CellValue value = board[cell];
    return Capitalised(cellNames[cell]) + ", " + (value == emptyCell ? "empty" : MarkName(value)) +
           ".";
}

std::string MarkSentence(int32_t cell) {
    const bool playerOne = board[cell] == PlayerOneMark();
    return std::string(PlayerName(playerOne)) + " placed " + MarkName(board[cell]) + " at " +
           cellNames[cell] + ".";
}

Heard Look() {
    Heard now;
    now.known = true;
    now.inGame = screenFlags.inMenu == 0;
    if (!now.inGame) {
        now.menuRow = HighlightedMenuRow();
        now.rowText = MenuRowText(*now.menuRow);
        return now;
    }
    now.board = board;
    // From where the cursor stands, which is where the next frame draws it
    // (the cell it was last drawn on lags a frame behind a move).
    if (ArrowKeysInForce()) now.cursorCell = CellUnderCursor();
    now.result = JudgeBoard();
    return now;
}

} // namespace

void AnnounceChanges() {
    const Heard now = Look();
    std::string said;
    SpeechKind kind = SpeechKind::passing;
    if (!now.inGame) {
        if (!heard.known || heard.inGame || now.menuRow != heard.menuRow ||
            now.rowText != heard.rowText)
            said = now.rowText;
    } else {
        // A game starts when it is entered and when its board is emptied again.
        const bool started =
            !heard.known || !heard.inGame || (now.board == Board{} && heard.board != Board{});
        const Board before = started ? Board{} : heard.board;
        if (started) Add(said, GameStart());
        // The person's mark comes before the computer's when both appear in
        // one frame: the computer answers only after the frame is drawn.
        for (const CellValue value : {markOne, markFive})
            for (int32_t cell = 0; cell < 9; ++cell)
                if (before[cell] == emptyCell && now.board[cell] == value)
                    Add(said, MarkSentence(cell));
        if (now.result != 0 && (started || heard.result == 0)) {
            Add(said, OutcomeText(now.result));
            std::string reset = hintResetText;
            reset.erase(reset.find_last_not_of(' ') + 1);
            Add(said, reset + ".");
            Add(said, hintMenuText);
            kind = SpeechKind::result;
        } else if (now.cursorCell >= 0 && (started || now.cursorCell != heard.cursorCell)) {
            Add(said, CellSentence(now.cursorCell));
        }
    }
    heard = now;
    if (!said.empty()) SpeakSentence(said.c_str(), kind);
}
