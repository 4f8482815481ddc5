#pragma once

// Turns what the screen shows into sentences for the player who listens: the
// highlighted menu row (an option with the value it shows), a game's start
// (who moves first, with which mark), the cursor's cell and what it holds, each
// mark placed and by whom, and the result with the key hint. Each change is said
// once, in the texts the screen draws.

// Looks at the game after a frame has been drawn and says what changed since
// the last look. The first look says the screen shown.
void AnnounceChanges();
