#pragma once

// The speech-dispatcher client, libspeechd, loaded at run time: the game has no
// link to it, and without it (or without a server) it says nothing. Each call
// is a round trip on the server's socket and may block: the speaking thread
// alone makes them.

// Loads libspeechd and connects to the server (starting it the usual way when
// it does not run yet). False, quietly, when either is missing.
bool OpenSpeechServer();

// Gives the server a sentence to say: a passing one at the priority that cuts
// off the passing sentence before it, a result at the one that nothing of ours
// cuts off and that holds passing sentences back until it is said. False when
// the server is gone.
bool SayOnServer(const char* sentence, bool result);

// Stops what is being said and closes the connection.
void CloseSpeechServer();
